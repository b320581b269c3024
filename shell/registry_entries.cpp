#include "shell/registry_entries.h"

#include <windows.h>

#include "shell/folders.h"
#include "shell/scoped_handle.h"
#include "shell/settings.h"

const char kProductKey[] = "SOFTWARE\\Zavotra\\Pro";
const char kVendorKey[] = "SOFTWARE\\Zavotra";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zavotra.exe";

namespace {
std::string ReadText(HKEY root, const char* keyName, const char* valueName) {
  ZRegKey key;
  if (RegOpenKeyExA(root, keyName, 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS) return std::string();
  char buffer[1024];
  DWORD type = 0, size = sizeof buffer - 1;
  if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return std::string();
  buffer[size] = '\0';
  if (type == REG_SZ) return buffer;
  if (type == REG_EXPAND_SZ) {
    char expanded[1024];
    DWORD length = ExpandEnvironmentStringsA(buffer, expanded, sizeof expanded);
    return length > 0 && length <= sizeof expanded ? std::string(expanded) : std::string();
  }
  return std::string();
}

ZRegKey CreateKey(HKEY root, const char* keyName) {
  ZRegKey key;
  RegCreateKeyExA(root, keyName, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.receive(), nullptr);
  return key;
}

void WriteText(HKEY root, const char* keyName, const char* valueName, const std::string& text) {
  ZRegKey key = CreateKey(root, keyName);
  if (key)
    RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void DeleteValue(HKEY root, const char* keyName, const char* valueName) {
  ZRegKey key;
  if (RegOpenKeyExA(root, keyName, 0, KEY_SET_VALUE, key.receive()) == ERROR_SUCCESS)
    RegDeleteValueA(key.get(), valueName);
}

std::string ProgramPath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
}  // namespace

std::string ResolveInstallFolder() {
  std::string folder = ReadText(HKEY_CURRENT_USER, kProductKey, "AppFolder");
  if (folder.empty()) folder = ReadText(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder");
  if (folder.empty()) folder = ProgramFolder();
  return WithBackslash(folder);
}

void WriteRegistryEntries() {
  const std::string& install = Folders().install;
  CreateKey(HKEY_LOCAL_MACHINE, kVendorKey);
  WriteText(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder", install);
  if (Settings().runAtStartup)
    WriteText(HKEY_CURRENT_USER, kRunKey, "Zavotra", "\"" + install + "Zavotra.exe\"");
  else
    DeleteValue(HKEY_CURRENT_USER, kRunKey, "Zavotra");
  WriteText(HKEY_LOCAL_MACHINE, kAppPathsKey, nullptr, ProgramPath());
  DeleteValue(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path");
}
