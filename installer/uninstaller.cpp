#include "installer/uninstaller.h"

#include <windows.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "common/directory_tree.h"
#include "common/path_text.h"
#include "common/registry.h"
#include "common/registry_key.h"
#include "installer/install_names.h"
#include "installer/install_record.h"
#include "installer/proposed_folder.h"
#include "installer/system_folders.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

bool StartsWith(const std::string& path, const std::string& folder) {
  return !folder.empty() && path.size() > folder.size() && _strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0;
}

std::string ReadText(HKEY root, const char* keyName, const char* valueName) {
  ZRegistryKey key;
  return key.open(root, keyName, KEY_QUERY_VALUE) ? RegistryReadText(key.get(), valueName) : std::string();
}

std::string WithBackslash(std::string path) {
  AppendBackslash(path);
  return path;
}

// Deletes the key when it holds neither values nor subkeys.
void DeleteKeyIfEmpty(HKEY root, const char* keyName) {
  DWORD subKeys = 0, values = 0;
  {
    ZRegistryKey key;
    if (!key.open(root, keyName, KEY_QUERY_VALUE)) return;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return;
    }
  }
  if (subKeys == 0 && values == 0) RegDeleteKeyA(root, keyName);
}

void DeleteValueIf(HKEY root, const char* keyName, const char* valueName, bool (*matches)(const std::string&,
                                                                                       const std::string&),
                   const std::string& expected) {
  ZRegistryKey key;
  if (!key.open(root, keyName, KEY_QUERY_VALUE | KEY_SET_VALUE)) return;
  if (matches(RegistryReadText(key.get(), valueName), expected)) RegDeleteValueA(key.get(), valueName);
}

bool SameFolder(const std::string& value, const std::string& folder) {
  return !value.empty() && SamePath(WithBackslash(value), folder);
}

bool NamesProgram(const std::string& value, const std::string& program) {
  return !value.empty() && strstr(CharLowerA(std::string(value).data()), CharLowerA(std::string(program).data()));
}

bool IsFolderEntry(const std::string& path) { return !path.empty() && path.back() == '\\'; }

std::string RunningProgramPath() {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

}  // namespace

ZUninstaller::ZUninstaller() {
  std::string folder = ReadText(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue);
  if (folder.empty()) folder = ReadText(HKEY_CURRENT_USER, kProductKey, kAppFolderValue);
  if (folder.empty()) return;
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  oddFolder_ = !IsUsableInstallFolder(folder);
  installFolder_ = WithBackslash(folder);
}

ZUninstaller::Result ZUninstaller::run(bool removeProfiles) {
  if (!installed()) return Result::kNotInstalled;
  // A registry value that names no proper folder (a drive's root, a relative
  // path) is no ground to delete anything.
  if (oddFolder_) return Result::kOddFolder;
  bool complete = removeRecordedFiles();
  if (removeProfiles) {
    const std::string users = installFolder_ + kUsersFolder;
    if (GetFileAttributesA(users.c_str()) != INVALID_FILE_ATTRIBUTES) complete = DeleteDirectoryTree(users) && complete;
  }
  removeShortcuts();
  removeRegistryEntries();
  return complete ? Result::kRemoved : Result::kIncomplete;
}

bool ZUninstaller::mayRemove(const std::string& path) const {
  if (path.size() < 4 || path.size() >= MAX_PATH || path.find("\\..") != std::string::npos ||
      path.find_first_of("*?\"<>|/") != std::string::npos) {
    return false;
  }
  // Of the Windows folder only what lies directly in it: the uninstaller.
  const std::string windows = WindowsFolder();
  const bool inWindowsFolder = StartsWith(path, windows) && path.find('\\', windows.size()) == std::string::npos;
  return StartsWith(path, installFolder_) || inWindowsFolder ||
         StartsWith(path, StartMenuFolder(true)) || StartsWith(path, StartMenuFolder(false)) ||
         SamePath(path, installFolder_);
}

// Files first, then the folders the installation created, deepest first and
// only when nothing else is left in them, so that anything the user put there
// (a profile, a file of his own) stays with its folders.
bool ZUninstaller::removeRecordedFiles() {
  const std::string recordPath = installFolder_ + kInstallRecordFile;
  ZInstallRecord record;
  if (!record.load(recordPath)) return false;
  const std::string self = RunningProgramPath();
  bool complete = true;
  std::vector<std::string> folders;
  for (const std::string& path : record.paths()) {
    if (!mayRemove(path)) continue;
    if (IsFolderEntry(path)) {
      folders.push_back(path);
    } else if (SamePath(path, self)) {
      // A running program cannot delete itself: it goes at the next restart.
      MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    } else if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
               GetLastError() != ERROR_PATH_NOT_FOUND) {
      complete = false;
    }
  }
  complete = DeleteFileA(recordPath.c_str()) && complete;
  std::sort(folders.begin(), folders.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  for (const std::string& folder : folders) RemoveDirectoryA(folder.c_str());
  return complete;
}

void ZUninstaller::removeShortcuts() const {
  for (bool allUsers : {true, false}) {
    const std::string folder = StartMenuFolder(allUsers);
    if (folder.empty()) continue;
    DeleteFileA((folder + kProgramShortcut).c_str());
    DeleteFileA((folder + kHomePageShortcut).c_str());
    RemoveDirectoryA(folder.c_str());
  }
}

void ZUninstaller::removeRegistryEntries() const {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    DeleteValueIf(root, kProductKey, kAppFolderValue, SameFolder, installFolder_);
    DeleteKeyIfEmpty(root, kProductKey);
    DeleteKeyIfEmpty(root, kVendorKey);
  }
  const std::string program = installFolder_ + kProgramFile;
  DeleteValueIf(HKEY_CURRENT_USER, kRunKey, kRunValue, NamesProgram, program);
  ZRegistryKey appPath;
  if (appPath.open(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_QUERY_VALUE) &&
      SamePath(RegistryReadText(appPath.get(), nullptr), program)) {
    appPath.reset();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPathsKey);
  }
}
