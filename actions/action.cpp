#include "actions/action.h"

#include "actions/action_workers.h"
#include "actions/macro.h"
#include "actions/web_service.h"
#include "common/errors.h"
#include "common/storage.h"
#include "gesture/symbol_storage.h"

namespace {

constexpr const char* kFileVersion = "2.0";
constexpr const char* kLanguage = "English";

uint16_t ReadOptionalHotkey(IStorage* storage) {
  try {
    return static_cast<uint16_t>(ReadInteger(storage, L"Hotkey"));
  } catch (const ZReadError&) {
    return 0;
  }
}

std::unique_ptr<ZAction> CreateOfType(const std::string& type) {
  if (type == "Macro") return std::make_unique<ZMacro>();
  if (type == "Web Service") return std::make_unique<ZWebService>();
  throw ZReadError(0);
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
  // "Language" is informative only and not needed to read the action.
  if (topLevel) CheckFileVersion(storage, L"File Version");  // stand-alone action files
  std::string name = ReadText(storage, L"Name");
  uint16_t hotkey = ReadOptionalHotkey(storage);
  auto symbol = std::make_unique<Symbol>();
  ReadSymbol(OpenRequiredSubStorage(storage, L"Symbol").Get(), *symbol, false);

  std::unique_ptr<ZAction> action = CreateOfType(ReadLiteral(storage, L"Type"));
  action->loadBody(storage);
  action->name_ = name;
  action->hotkey_ = hotkey;
  action->symbol_ = std::move(symbol);
  return action;
}

bool ZAction::run(HWND window, bool asynchronous) {
  // Web-service actions will ask here for missing login values before they
  // start, once the web services are in.
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
