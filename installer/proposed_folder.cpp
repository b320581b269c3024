#include "installer/proposed_folder.h"

#include <windows.h>
#include <ctype.h>
#include <string.h>

#include "common/registry.h"
#include "common/registry_key.h"
#include "installer/install_names.h"

namespace {

std::string ReadText(HKEY root, const char* keyName, const char* valueName) {
  ZRegistryKey key;
  return key.open(root, keyName, KEY_QUERY_VALUE) ? RegistryReadText(key.get(), valueName) : std::string();
}

}  // namespace

std::string ProposedInstallFolder() {
  // A machine key without the value (left by a program that failed to write
  // it) does not hide the user's value.
  std::string folder = ReadText(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue);
  if (folder.empty()) folder = ReadText(HKEY_CURRENT_USER, kProductKey, kAppFolderValue);
  if (!folder.empty()) return folder;
  std::string programFiles =
      ReadText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  if (programFiles.empty()) programFiles = "C:\\Program Files";
  return programFiles + "\\" + kProductName;
}

bool IsUsableInstallFolder(const std::string& folder) {
  // The longest path below the folder that the program uses stays within
  // the system limit of 260 characters.
  constexpr size_t kLongestFolder = MAX_PATH - 64;
  // A drive's root is no installation folder: uninstalling would clean it.
  if (folder.size() < 4 || folder.size() > kLongestFolder) return false;
  const bool onDrive = isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' && folder[2] == '\\';
  const bool onShare = folder.compare(0, 2, "\\\\") == 0 && folder.find('\\', 2) != std::string::npos;
  if (!onDrive && !onShare) return false;
  for (size_t i = 0; i < folder.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(folder[i]);
    if (c < 32 || strchr("*?\"<>|/", c) || (c == ':' && i != 1)) return false;
  }
  return folder.find("\\..\\") == std::string::npos && folder.compare(folder.size() - 3, 3, "\\..") != 0;
}
