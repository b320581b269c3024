// Hostile settings and counter files must parse without a fault, and what
// the writer makes of any parsed record must read back as the same record.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/settings_text.h"
#include "shell/usage_counters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ZSettings first = SettingsFromText(text, ZSettings());
  std::string written = SettingsToText(first);
  if (SettingsToText(SettingsFromText(written, ZSettings())) != written) __builtin_trap();

  ZUsageCounters counters;
  counters.parse(text);
  ZUsageCounters again;
  again.parse(counters.format());
  if (!(again.entries() == counters.entries())) __builtin_trap();
  return 0;
}
