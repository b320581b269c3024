#include "actions/web_service.h"

#include "common/storage.h"

ZWebService::ZWebService(const ZWebService& other)
    : ZAction(other),
      serviceId_(other.serviceId_),
      sound_(other.sound_ ? std::make_unique<ZCommandSound>(*other.sound_) : nullptr) {}

bool ZWebService::execute(HWND) {
  // Running the form script comes with the web services; until then the
  // action does nothing.
  return true;
}

std::unique_ptr<ZAction> ZWebService::clone() const { return std::make_unique<ZWebService>(*this); }

bool ZWebService::equals(const ZAction& other) const {
  const auto* service = dynamic_cast<const ZWebService*>(&other);
  if (!service) return false;
  if (!sound_ || !service->sound_) return !sound_ && !service->sound_;
  return sound_->equals(*service->sound_);
}

void ZWebService::save(IStorage* storage, bool topLevel) const {
  ZAction::save(storage, topLevel);
  WriteLiteral(storage, L"Type", "Web Service");
  WriteInteger(storage, L"Website", serviceId_);
  if (sound_) sound_->save(CreateSubStorage(storage, L"Sound").Get());
}
