#include "installer/system_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "common/administrator.h"
#include "common/path_text.h"
#include "installer/install_names.h"

bool InstallsForAllUsers() { return !IsWindows95Family() && IsAdministrator(); }

std::string StartMenuFolder(bool allUsers) {
  char programs[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, programs, allUsers ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, TRUE))
    return std::string();
  std::string folder = programs;
  AppendBackslash(folder);
  return folder + kStartMenuFolder;
}

std::string WindowsFolder() {
  char folder[MAX_PATH] = "";
  UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
  std::string path(folder, length < MAX_PATH ? length : 0);
  AppendBackslash(path);
  return path;
}
