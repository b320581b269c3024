#include "actions/command_record.h"

namespace {

// "Type" values by type id. A command of the eighth stored type, "Vantel",
// belongs to a kind this program has never had and is not read.
constexpr const char* kTypeNames[kCommandKindCount] = {"Hotkey", "Menu",  "Text",    "System",
                                                       "Launch", "Sound", "Internet"};

struct SystemFunction {
  const char* storedName;
  bool hasParameter;
};

constexpr SystemFunction kSystemFunctions[] = {
    {"Maximize window", false},     {"Minimize window", false},  {"Restore window", false},
    {"Logoff Windows", false},      {"Reboot system", false},    {"Shutdown system", false},
    {"Vertical scroll", true},      {"Horizontal scroll", true}, {"Pause", true},
    {"Monitor power off", false},   {"Monitor power on", false}, {"Launch screen saver", false},
    {"Windows start menu", false},  {"Next window", false},      {"Previous window", false},
    {"Left click", false},          {"Right click", false},      {"Middle click", false},
    {"Insert date text", true},     {"Insert time text", true},  {"Show Zavotra window", false},
    {"Minimize all windows", false},
};

constexpr const char* kWindowStyleNames[] = {"Normal", "Minimized", "Maximized"};
constexpr const char* kSoundTypeNames[] = {"File", "Theme", "Stop"};
constexpr const char* kInternetFunctionNames[] = {"Website", "e-mail", "Forum", "Service"};

template <size_t N>
const char* NameAt(const char* const (&names)[N], int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? names[index] : nullptr;
}

constexpr int kSystemFunctionCount = static_cast<int>(sizeof kSystemFunctions / sizeof kSystemFunctions[0]);

}  // namespace

int32_t CappedRepeat(int32_t repeat) { return repeat > kMostHotkeyRepeats ? kMostHotkeyRepeats : repeat; }

const char* StoredCommandTypeName(int type) { return NameAt(kTypeNames, type); }

const char* StoredSystemFunctionName(int function) {
  return function >= 0 && function < kSystemFunctionCount ? kSystemFunctions[function].storedName : nullptr;
}

const char* StoredWindowStyleName(int style) { return NameAt(kWindowStyleNames, style); }

const char* StoredSoundTypeName(int type) { return NameAt(kSoundTypeNames, type); }

const char* StoredInternetFunctionName(int function) { return NameAt(kInternetFunctionNames, function); }

int FindStoredIndex(const char* (*names)(int), const std::string& name) {
  for (int index = 0; const char* stored = names(index); ++index)
    if (name == stored) return index;
  return -1;
}

bool SystemFunctionHasParameter(int function) {
  return function >= 0 && function < kSystemFunctionCount && kSystemFunctions[function].hasParameter;
}
