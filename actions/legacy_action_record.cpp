#include "actions/legacy_action_record.h"

#include "common/errors.h"

namespace {

constexpr uint8_t kEndOfCommands = 0xFF;

// Number of strings after the flag byte, by type id.
constexpr int kFieldCount[kLegacyCommandKinds] = {
    5,  // Hotkey: repeat, four key indices (after an unused int)
    1,  // Menu: path
    2,  // Text: text, unused
    2,  // System: function index, parameter
    4,  // Launch: file, command line, directory, window style
    4,  // Sound: a, b, file, d
    2,  // Internet: function index, target
};
constexpr int32_t kHotkeyType = 0;

LegacyCommandRecord ReadCommandRecord(LegacyStream& stream) {
  LegacyCommandRecord command;
  command.type = stream.readInt();
  if (command.type < 0 || command.type >= kLegacyCommandKinds) throw ZReadError();
  command.flag = stream.readByte();
  if (command.type == kHotkeyType) stream.readInt();
  const int count = kFieldCount[command.type];
  command.fields.reserve(count);
  for (int i = 0; i < count; ++i) command.fields.push_back(stream.readString());
  return command;
}

}  // namespace

LegacyActionRecord ReadLegacyActionRecord(LegacyStream& stream) {
  LegacyActionRecord action;
  stream.readSymbol(action.symbol);
  action.name = stream.readString();
  action.flags = stream.readByte();
  action.hotkey = stream.readInt();
  while (stream.peek() != kEndOfCommands) action.commands.push_back(ReadCommandRecord(stream));
  return action;
}

std::vector<LegacyActionRecord> ReadLegacyActionSequence(LegacyStream& stream) {
  std::vector<LegacyActionRecord> actions;
  // Action records start with an icon header, never with 0xFF: a terminator
  // here is a file without actions.
  if (stream.peek() == kEndOfCommands) {
    stream.readByte();
    if (stream.readByte() != kEndOfCommands) throw ZReadError();
    return actions;
  }
  for (;;) {
    actions.push_back(ReadLegacyActionRecord(stream));
    stream.readByte();  // the 0xFF after the commands
    if (stream.readByte() == kEndOfCommands) break;
    stream.stepBack(1);
  }
  return actions;
}
