#include "shell/registry_entries.h"

#include <windows.h>

#include "common/path_text.h"
#include "common/registry.h"
#include "common/registry_key.h"
#include "shell/folders.h"
#include "common/settings.h"

const char kProductKey[] = "SOFTWARE\\Zavotra\\Pro";
const char kVendorKey[] = "SOFTWARE\\Zavotra";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zavotra.exe";

namespace {
std::string ReadAppFolder(HKEY root) {
  ZRegistryKey key;
  return key.open(root, kProductKey, KEY_QUERY_VALUE) ? RegistryReadText(key.get(), "AppFolder") : std::string();
}

void WriteText(HKEY root, const char* keyName, const char* valueName, const std::string& text) {
  ZRegistryKey key;
  if (key.create(root, keyName, KEY_SET_VALUE)) RegistryWriteText(key.get(), valueName, "%s", text.c_str());
}

void DeleteValue(HKEY root, const char* keyName, const char* valueName) {
  ZRegistryKey key;
  if (key.open(root, keyName, KEY_SET_VALUE)) RegDeleteValueA(key.get(), valueName);
}

std::string ProgramPath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string ProgramFolder() {
  const PathParts parts = SplitPath(ProgramPath());
  return parts.drive + parts.directory;
}
}  // namespace

std::string ResolveInstallFolder() {
  std::string folder = ReadAppFolder(HKEY_CURRENT_USER);
  if (folder.empty()) folder = ReadAppFolder(HKEY_LOCAL_MACHINE);
  if (folder.empty()) folder = ProgramFolder();
  AppendBackslash(folder);
  return folder;
}

void WriteRegistryEntries() {
  const std::string& install = Folders().install;
  ZRegistryKey vendor;
  vendor.create(HKEY_LOCAL_MACHINE, kVendorKey, KEY_READ);
  WriteText(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder", install);
  if (Settings().runAtStartup)
    WriteText(HKEY_CURRENT_USER, kRunKey, "Zavotra", "\"" + install + "Zavotra.exe\"");
  else
    DeleteValue(HKEY_CURRENT_USER, kRunKey, "Zavotra");
  WriteText(HKEY_LOCAL_MACHINE, kAppPathsKey, nullptr, ProgramPath());
  DeleteValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path");
}
