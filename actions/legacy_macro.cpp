#include "actions/legacy_macro.h"

#include <cstdlib>

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/key_table.h"
#include "common/ansi_text.h"
#include "gesture/first_format.h"

namespace {

using Fields = std::vector<std::string>;

int Decimal(const std::string& text) { return std::atoi(text.c_str()); }

// The older form wrote -1 for an empty key slot; anything else outside the
// key table would press nothing either.
uint8_t KeyIndex(const std::string& text) {
  const int index = Decimal(text);
  return KeyTable::isValidIndex(index) ? static_cast<uint8_t>(index) : KeyTable::kNoKey;
}

std::unique_ptr<ZCommand> HotkeyCommand(const Fields& f) {
  auto command = std::make_unique<ZCommandHotkey>();
  command->setRepeat(Decimal(f[0]));
  for (int slot = 0; slot < ZCommandHotkey::kSlots; ++slot) command->setKey(slot, KeyIndex(f[1 + slot]));
  return command;
}

std::unique_ptr<ZCommand> MenuCommand(const Fields& f) {
  auto command = std::make_unique<ZCommandMenu>();
  command->setPath(f[0]);
  return command;
}

// Older files kept the text in the system code page; the command holds UTF-8.
// Those files typed their text, so the clipboard is not used.
std::unique_ptr<ZCommand> TextCommand(const Fields& f) {
  auto command = std::make_unique<ZCommandText>();
  command->setText(AnsiToUtf8(f[0]));
  command->setUseClipboard(false);
  return command;
}

// An index outside the tables keeps the kind's default.
std::unique_ptr<ZCommand> SystemCommand(const Fields& f) {
  auto command = std::make_unique<ZCommandSystem>();
  command->setFunction(Decimal(f[0]));
  command->setParameter(Decimal(f[1]));
  return command;
}

// The older form's flag byte is not a wait switch for launches.
std::unique_ptr<ZCommand> LaunchCommand(const Fields& f) {
  auto command = std::make_unique<ZCommandLaunch>();
  command->setFilePath(f[0]);
  command->setCommandLine(f[1]);
  command->setDirectory(f[2]);
  command->setWindowStyle(Decimal(f[3]));
  command->setWait(false);
  return command;
}

// Four values a, b, c, d: c is the file; d = 2 stops, otherwise d = 1 loops
// and a selects file (0), theme sound b (1) or stop (anything else).
std::unique_ptr<ZCommand> SoundCommand(const Fields& f, uint8_t flag) {
  auto command = std::make_unique<ZCommandSound>();
  const int a = Decimal(f[0]);
  const int d = Decimal(f[3]);
  command->setFilePath(f[2]);
  if (d == 2) {
    command->setSoundType(ZCommandSound::kStop);
  } else {
    command->setLoop(d == 1);
    if (a == 0) {
      command->setSoundType(ZCommandSound::kFile);
    } else if (a == 1) {
      command->setSoundType(ZCommandSound::kTheme);
      command->setIndex(Decimal(f[1]));
    } else {
      command->setSoundType(ZCommandSound::kStop);
    }
  }
  command->setWait(flag == 1);
  return command;
}

std::unique_ptr<ZCommand> InternetCommand(const Fields& f) {
  auto command = std::make_unique<ZCommandInternet>();
  command->setFunction(Decimal(f[0]));
  command->setTarget(f[1]);
  return command;
}

// The record parser guarantees the field count of each kind.
std::unique_ptr<ZCommand> CommandFromRecord(const LegacyCommandRecord& record) {
  switch (record.type) {
    case kCommandHotkey: return HotkeyCommand(record.fields);
    case kCommandMenu: return MenuCommand(record.fields);
    case kCommandText: return TextCommand(record.fields);
    case kCommandSystem: return SystemCommand(record.fields);
    case kCommandLaunch: return LaunchCommand(record.fields);
    case kCommandSound: return SoundCommand(record.fields, record.flag);
    case kCommandInternet: return InternetCommand(record.fields);
    default: return nullptr;
  }
}

}  // namespace

std::unique_ptr<ZMacro> MacroFromLegacyRecord(const LegacyActionRecord& record) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(record.name);
  macro->setHotkey(static_cast<uint16_t>(static_cast<uint32_t>(record.hotkey) & 0xFFFFu));
  macro->setSymbol(std::make_unique<Symbol>(SymbolFromFirstFormat(record.symbol)));
  for (const LegacyCommandRecord& command : record.commands) {
    if (auto made = CommandFromRecord(command)) macro->append(std::move(made));
  }
  return macro;
}

std::unique_ptr<ZMacro> ReadLegacyMacro(LegacyStream& stream) {
  return MacroFromLegacyRecord(ReadLegacyActionRecord(stream));
}
