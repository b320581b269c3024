// Arbitrary command records of the older sequential form, behind a fixed
// action header (an empty first-format symbol, an empty name, no flags, no
// hotkey): the record parser and the mapping of their decimal fields. Every
// record read maps into a command record inside its bounds, with the older
// form's rules (typed text, launches that never wait).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "actions/legacy_action_record.h"
#include "actions/legacy_command_fields.h"
#include "common/errors.h"
#include "tests/fuzz/storage/command_record_checks.h"

namespace {

std::vector<uint8_t> ActionHeader() {
  std::vector<uint8_t> bytes(kFirstFormatHeaderSize + kColourMaskSize + kTransparencyMaskSize + 1, 0);
  bytes.push_back(0);     // the symbol's name
  bytes.push_back(0xFF);  // its points end at once
  bytes.push_back(0);     // the action's name
  bytes.push_back(0);     // flags
  bytes.insert(bytes.end(), 4, 0);  // hotkey
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<uint8_t> header = ActionHeader();
  std::vector<uint8_t> bytes = header;
  bytes.insert(bytes.end(), data, data + size);
  bytes.push_back(0xFF);  // ends the commands, unless the input ended them before
  LegacyStream stream(bytes);
  try {
    const LegacyActionRecord action = ReadLegacyActionRecord(stream);
    for (const LegacyCommandRecord& command : action.commands) {
      const CommandRecord record = CommandRecordFromLegacy(command);
      CheckCommandRecord(record);
      RequireRecord(record.ansiStrings);
      if (record.type == kCommandText) RequireRecord(!record.useClipboard);
      if (record.type == kCommandLaunch) RequireRecord(!record.wait);
    }
  } catch (const ZReadError&) {
  }
  return 0;
}
