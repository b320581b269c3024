// The actions of older plug-in files, read from a LegacyStream into plain
// records. Portable, so that the parser can be exercised natively; the
// mapping onto ZMacro and its commands is in legacy_macro.h.
//
// Action record: symbol (first symbol format), name, flags byte, hotkey int,
// then command records until a 0xFF byte (left unread). Command record: type
// id int, flag byte, then the kind's fields.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "actions/legacy_stream.h"
#include "gesture/first_format.h"

struct LegacyCommandRecord {
  int32_t type = 0;  // 0 Hotkey .. 6 Internet
  uint8_t flag = 0;
  // The kind's strings in file order (the hotkey's unused int is dropped).
  std::vector<std::string> fields;
};

struct LegacyActionRecord {
  FirstFormatSymbol symbol;
  std::string name;
  uint8_t flags = 0;  // read, without effect
  int32_t hotkey = 0;
  std::vector<LegacyCommandRecord> commands;
};

constexpr int32_t kLegacyCommandKinds = 7;

// Reads one action record with its commands and leaves the position on the
// 0xFF that ends them. A command type outside 0..6 throws ZReadError: the
// form has no lengths, so the rest of the record cannot be found again.
LegacyActionRecord ReadLegacyActionRecord(LegacyStream& stream);

// Reads actions until the double 0xFF that ends the sequence: after each
// action the terminator and the next byte are read; a second 0xFF ends the
// list, anything else is the start of the next action.
std::vector<LegacyActionRecord> ReadLegacyActionSequence(LegacyStream& stream);
