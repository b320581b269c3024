// Actions and commands of the structured-storage form, read from any
// ZStreamSource into plain records: the parsing and every check of what the
// streams may hold, without ole32. ZAction::load and ZCommand::load apply
// these to real storages and make the objects.
//
// Layout of one action: "File Version" and "Language" (top level only),
// "Name", optional "Hotkey", "Symbol" (a sub-storage, read by the caller),
// "Type" ("Macro" or "Web Service"), then "Command NN" sub-storages or
// "Website" and an optional "Sound" sub-storage.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actions/command_record.h"
#include "common/stream_source.h"

struct StoredActionRecord {
  std::string name;  // UTF-8, as stored
  uint16_t hotkey = 0;
  bool webService = false;
  std::vector<CommandRecord> commands;  // a macro's, in order
  int32_t serviceId = 0;                // a web service's
  std::optional<CommandRecord> sound;   // a web service's, when it has one
};

// One command from its storage: "Type" and the kind's streams. An unknown or
// miscased type or name, a missing stream or an unreadable one throws
// ZReadError; a hotkey's repeat count is capped, key indices outside the
// table become no key.
CommandRecord ReadStoredCommand(const ZStreamSource& source);

// The streams of a sound command without its "Type" (a web service's sound).
CommandRecord ReadStoredSoundFields(const ZStreamSource& source);

// One action, but for its symbol. `topLevel` when the storage is a file of
// its own, which then carries its version. Throws ZReadError.
StoredActionRecord ReadStoredAction(const ZStreamSource& source, bool topLevel);
