// What every command record must satisfy, however hostile its file: the
// bounds the readers promise the command classes.
#pragma once
#include <cstdlib>

#include "actions/command_record.h"
#include "common/stored_values.h"

inline void RequireRecord(bool condition) {
  if (!condition) std::abort();
}

inline void CheckCommandRecord(const CommandRecord& r) {
  RequireRecord(StoredCommandTypeName(r.type) != nullptr);
  RequireRecord(r.repeat <= kMostHotkeyRepeats);
  for (uint8_t key : r.keys) RequireRecord(key < kKeyIndexCount);
  RequireRecord(r.text.size() <= kLongestTextValue);
  RequireRecord(r.commandLine.size() <= kLongestTextValue);
  RequireRecord(r.directory.size() <= kLongestTextValue);
  RequireRecord(StoredWindowStyleName(r.windowStyle) != nullptr);
  RequireRecord(StoredSoundTypeName(r.soundType) != nullptr);
  if (r.type == kCommandSystem)
    RequireRecord(r.function == kNoFunction || StoredSystemFunctionName(r.function) != nullptr);
  if (r.type == kCommandInternet)
    RequireRecord(r.function == kNoFunction || StoredInternetFunctionName(r.function) != nullptr);
}
