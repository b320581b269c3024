#include "actions/command.h"

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/stored_names.h"
#include "common/errors.h"
#include "common/storage.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {

// "Type" values by type id. The eighth name belongs to a kind this program
// has never had; a command of that type is not read.
constexpr const char* kTypeNames[] = {"Hotkey", "Menu",  "Text",     "System",
                                      "Launch", "Sound", "Internet", "Vantel"};
constexpr int kKnownKinds = 7;

// Display names by type id, from the string resources so that a translated
// build shows translated names.
constexpr UINT kDisplayNameIds[kKnownKinds] = {IDS_COMMAND_HOTKEY, IDS_COMMAND_MENU,   IDS_COMMAND_TEXT,
                                               IDS_COMMAND_SYSTEM, IDS_COMMAND_LAUNCH, IDS_COMMAND_SOUND,
                                               IDS_COMMAND_INTERNET};

}  // namespace

const char* ZCommand::storedTypeName(int typeId) {
  return typeId >= 0 && typeId < kKnownKinds ? kTypeNames[typeId] : nullptr;
}

std::string ZCommand::typeName() const {
  const int id = typeId();
  return id >= 0 && id < kKnownKinds ? LoadAnsiString(kDisplayNameIds[id], AppInstance()) : std::string();
}

void ZCommand::save(IStorage* storage) const {
  WriteLiteral(storage, L"Type", kTypeNames[typeId()]);
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
  std::unique_ptr<ZCommand> command =
      create(FindStoredName(kTypeNames, ReadLiteral(storage, L"Type")));
  if (!command) throw ZReadError(0);  // unknown, or the kind without a class
  command->loadFields(storage);
  return command;
}
