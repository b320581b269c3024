// One command as a file holds it, before it becomes a ZCommand: its kind and
// the fields of that kind, already bounded to what the kind accepts. Both
// file forms are read into this record (stored_action_record.h for the
// structured-storage form, legacy_command_fields.h for the older sequential
// one), and ZCommand::fromRecord makes the command. Portable, so that the
// readers can be fuzzed natively.
#pragma once
#include <array>
#include <cstdint>
#include <string>

// Type ids of the command kinds; they are the order of the kinds in the
// action editor and of the sequential plug-in form.
enum CommandTypeId : int {
  kCommandHotkey = 0,
  kCommandMenu = 1,
  kCommandText = 2,
  kCommandSystem = 3,
  kCommandLaunch = 4,
  kCommandSound = 5,
  kCommandInternet = 6,
};
constexpr int kCommandKindCount = 7;

// No function chosen, for the system and the internet commands: the command
// does nothing when run.
constexpr int kNoFunction = -1;

// Entries of the key table (KeyTable::kSize); a stored index at or beyond it
// is no key.
constexpr int kKeyIndexCount = 116;

// How many times a hotkey command presses its combination at most. Each time
// takes 80 ms on a thread nothing can cancel, so a damaged or hostile count
// would otherwise type for days; a hundred (eight seconds) is far more than
// any macro needs.
constexpr int32_t kMostHotkeyRepeats = 100;
int32_t CappedRepeat(int32_t repeat);

struct CommandRecord {
  int type = kCommandHotkey;
  // Strings read from a storage are UTF-8; those of the older form are in the
  // system code page.
  bool ansiStrings = false;

  int32_t repeat = 1;            // hotkey: at most kMostHotkeyRepeats
  std::array<uint8_t, 4> keys{};  // hotkey: key table indices, 0 for none
  std::string text;              // menu path, text, file path of a launch or sound, internet target
  std::string commandLine;       // launch
  std::string directory;         // launch
  int function = kNoFunction;    // system 0..21, internet 0..3, or kNoFunction
  int32_t parameter = 0;         // system
  int windowStyle = 0;           // launch 0..2
  bool wait = false;             // launch, sound
  int soundType = 0;             // sound 0..2
  int32_t index = 0;             // sound: theme sound
  bool loop = false;             // sound
  bool useClipboard = true;      // text
};

// The names stored for the name-valued fields, by index; null outside the
// table. The names are compared byte for byte, case-sensitive.
const char* StoredCommandTypeName(int type);
const char* StoredSystemFunctionName(int function);
const char* StoredWindowStyleName(int style);
const char* StoredSoundTypeName(int type);
const char* StoredInternetFunctionName(int function);
// The index of `name` among the names of one of the functions above, or -1.
int FindStoredIndex(const char* (*names)(int), const std::string& name);

// Whether a system function keeps a parameter (scrolls, pause, date, time).
bool SystemFunctionHasParameter(int function);
