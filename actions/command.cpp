#include "actions/command.h"

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/stored_action_record.h"
#include "common/ansi_text.h"
#include "common/storage.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {

constexpr int kKnownKinds = kCommandKindCount;

// Display names by type id, from the string resources so that a translated
// build shows translated names.
constexpr UINT kDisplayNameIds[kKnownKinds] = {IDS_COMMAND_HOTKEY, IDS_COMMAND_MENU,   IDS_COMMAND_TEXT,
                                               IDS_COMMAND_SYSTEM, IDS_COMMAND_LAUNCH, IDS_COMMAND_SOUND,
                                               IDS_COMMAND_INTERNET};

}  // namespace

const char* ZCommand::storedTypeName(int typeId) { return StoredCommandTypeName(typeId); }

std::string ZCommand::typeName() const {
  const int id = typeId();
  return id >= 0 && id < kKnownKinds ? LoadAnsiString(kDisplayNameIds[id], AppInstance()) : std::string();
}

void ZCommand::save(IStorage* storage) const {
  WriteLiteral(storage, L"Type", StoredCommandTypeName(typeId()));
  saveFields(storage);
}

std::unique_ptr<ZCommand> ZCommand::create(int typeId) {
  switch (typeId) {
    case kCommandHotkey: return std::make_unique<ZCommandHotkey>();
    case kCommandMenu: return std::make_unique<ZCommandMenu>();
    case kCommandText: return std::make_unique<ZCommandText>();
    case kCommandSystem: return std::make_unique<ZCommandSystem>();
    case kCommandLaunch: return std::make_unique<ZCommandLaunch>();
    case kCommandSound: return std::make_unique<ZCommandSound>();
    case kCommandInternet: return std::make_unique<ZCommandInternet>();
    default: return nullptr;
  }
}

std::unique_ptr<ZCommand> ZCommand::load(IStorage* storage) {
  return fromRecord(ReadStoredCommand(ZStorageSource(storage)));
}

std::string ZCommand::ansiText(const CommandRecord& record, const std::string& text) {
  return record.ansiStrings ? text : Utf8ToAnsi(text);
}

std::unique_ptr<ZCommand> ZCommand::fromRecord(const CommandRecord& record) {
  switch (record.type) {
    case kCommandHotkey: return ZCommandHotkey::fromRecord(record);
    case kCommandMenu: return ZCommandMenu::fromRecord(record);
    case kCommandText: return ZCommandText::fromRecord(record);
    case kCommandSystem: return ZCommandSystem::fromRecord(record);
    case kCommandLaunch: return ZCommandLaunch::fromRecord(record);
    case kCommandSound: return ZCommandSound::fromRecord(record);
    case kCommandInternet: return ZCommandInternet::fromRecord(record);
    default: return nullptr;
  }
}
