#include "actions/legacy_macro.h"

#include "actions/legacy_command_fields.h"
#include "gesture/first_format.h"

std::unique_ptr<ZMacro> MacroFromLegacyRecord(const LegacyActionRecord& record) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(record.name);
  macro->setHotkey(static_cast<uint16_t>(static_cast<uint32_t>(record.hotkey) & 0xFFFFu));
  macro->setSymbol(std::make_unique<Symbol>(SymbolFromFirstFormat(record.symbol)));
  for (const LegacyCommandRecord& command : record.commands) {
    if (auto made = ZCommand::fromRecord(CommandRecordFromLegacy(command))) macro->append(std::move(made));
  }
  return macro;
}

std::unique_ptr<ZMacro> ReadLegacyMacro(LegacyStream& stream) {
  return MacroFromLegacyRecord(ReadLegacyActionRecord(stream));
}
