#include "shell/settings_file.h"

#include <windows.h>

#include "resources/zavotra_ids.h"
#include "shell/profile_cipher.h"
#include "shell/settings_text.h"
#include "common/string_resource.h"
#include "common/app_context.h"

namespace {
int64_t ClockAsFileTime() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}
}  // namespace

ZSettings DefaultSettings() {
  ZSettings defaults;
  defaults.ncx = ClockAsFileTime();
  defaults.soundTheme = LoadAnsiString(IDS_DEFAULT_SOUND_THEME, AppInstance());
  return defaults;
}

void LoadSettings(const std::string& path, const ZKeyBlock& key, ZSettings& settings) {
  std::string text;
  if (!ReadEncryptedFile(path, key, text)) text.clear();
  settings = SettingsFromText(text, DefaultSettings());
}

bool SaveSettings(const std::string& path, const ZKeyBlock& key, ZSettings& settings) {
  settings.firstTime = false;
  return WriteEncryptedFile(path, key, SettingsToText(settings));
}

void LoadCounters(const std::string& path, const ZKeyBlock& key, ZUsageCounters& table) {
  std::string text;
  if (!ReadEncryptedFile(path, key, text)) text.clear();
  table.parse(text);
}

bool SaveCounters(const std::string& path, const ZKeyBlock& key, const ZUsageCounters& table) {
  return WriteEncryptedFile(path, key, table.format());
}
