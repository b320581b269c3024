#include "actions/action.h"

#include "actions/action_workers.h"
#include "actions/macro.h"
#include "actions/stored_action_record.h"
#include "actions/web_service.h"
#include "common/ansi_text.h"
#include "common/app_context.h"
#include "common/storage.h"
#include "gesture/symbol_storage.h"

namespace {

constexpr const char* kFileVersion = "2.0";
constexpr const char* kLanguage = "English";

std::unique_ptr<ZAction> ActionFromRecord(const StoredActionRecord& record) {
  if (record.webService) {
    auto service = std::make_unique<ZWebService>();
    service->setServiceId(record.serviceId);
    if (record.sound) service->setSound(ZCommandSound::fromRecord(*record.sound));
    return service;
  }
  auto macro = std::make_unique<ZMacro>();
  for (const CommandRecord& command : record.commands)
    if (auto made = ZCommand::fromRecord(command)) macro->append(std::move(made));
  return macro;
}

// What the worker of an asynchronous run owns.
struct RunRecord {
  std::unique_ptr<ZAction> action;
  HWND window;
};

void RunOnWorker(RunRecord& record) {
  record.action->execute(record.window);
  record.action.reset();
  if (record.window) SendMessageA(record.window, WM_COMMAND, IDCANCEL, 0);
}

void DestroyIfAny(HWND window) {
  if (window) DestroyWindow(window);
}

}  // namespace

ZAction::~ZAction() = default;

ZAction::ZAction(const ZAction& other)
    : name_(other.name_),
      symbol_(other.symbol_ ? std::make_unique<Symbol>(*other.symbol_) : nullptr),
      hotkey_(other.hotkey_) {}

void ZAction::save(IStorage* storage, bool topLevel) const {
  if (topLevel) {
    WriteVersion(storage, L"File Version", kFileVersion);
    WriteLiteral(storage, L"Language", kLanguage);
  }
  WriteText(storage, L"Name", name_);
  if (hotkey_ != 0) WriteInteger(storage, L"Hotkey", hotkey_);
  if (symbol_) WriteSymbol(CreateSubStorage(storage, L"Symbol").Get(), *symbol_, false);
}

std::unique_ptr<ZAction> ZAction::load(IStorage* storage, bool topLevel) {
  const StoredActionRecord record = ReadStoredAction(ZStorageSource(storage), topLevel);
  auto symbol = std::make_unique<Symbol>();
  ReadSymbol(OpenRequiredSubStorage(storage, L"Symbol").Get(), *symbol, false);
  std::unique_ptr<ZAction> action = ActionFromRecord(record);
  action->name_ = Utf8ToAnsi(record.name);
  action->hotkey_ = record.hotkey;
  action->symbol_ = std::move(symbol);
  return action;
}

bool ZAction::run(HWND window, bool asynchronous) {
  // A web service whose login values are missing asks for them first; the
  // user may decline.
  if (auto* service = dynamic_cast<ZWebService*>(this)) {
    if (service->needsLogin() && !service->askForLogin(MainWindow())) {
      DestroyIfAny(window);
      return false;
    }
  }
  if (!asynchronous) {
    bool result = execute(window);
    DestroyIfAny(window);
    return result;
  }
  auto record = std::make_shared<RunRecord>(RunRecord{clone(), window});
  if (!ActionWorkers().start([record] { RunOnWorker(*record); })) {
    DestroyIfAny(window);
    return false;  // the record and its clone go with the work
  }
  return true;
}
