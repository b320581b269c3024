#include "actions/command_internet.h"
#include "actions/sound_and_internet_requests.h"

#include "common/storage.h"

bool ZCommandInternet::setFunction(int function) {
  if (function < kNone || function >= kFunctionCount) return false;
  function_ = function;
  return true;
}

bool ZCommandInternet::equals(const ZCommand& other) const {
  if (other.typeId() != typeId()) return false;
  const auto& internet = static_cast<const ZCommandInternet&>(other);
  return function_ == internet.function_ && target_ == internet.target_;
}

bool ZCommandInternet::execute() {
  return ExecuteInternetRequest(function_, target_);
}

void ZCommandInternet::saveFields(IStorage* storage) const {
  // Without a function, an empty name, as for the system command: it reads
  // back as such.
  const char* name = StoredInternetFunctionName(function_);
  WriteLiteral(storage, L"Function", name ? name : "");
  WriteText(storage, L"Service", target_);
}

std::unique_ptr<ZCommandInternet> ZCommandInternet::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandInternet>();
  command->setFunction(record.function);
  command->setTarget(ansiText(record, record.text));
  return command;
}
