// Fixtures of the shell's Windows tests: a throw-away installation folder,
// encrypted files written and read the program's way, and registry values
// put back as they were.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/default_key.h"
#include "common/directory_tree.h"
#include "common/file_cipher.h"
#include "shell/folders.h"
#include "shell/profile_cipher.h"
#include "shell/whole_file.h"

// An installation folder in the temporary folder with a skeleton profile
// holding one plug-in and one symbol file; removed with everything in it.
class ZTestInstallation {
 public:
  ZTestInstallation() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    root_ = std::string(temp) + "zshell_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount()) + "_" + std::to_string(counter++) + "\\";
    for (const char* folder : {"", "skel\\", "skel\\plug-ins\\", "skel\\symbols\\", "dls\\", "sounds\\",
                               "symbols\\", "system\\", "users\\"})
      CreateDirectoryA((root_ + folder).c_str(), nullptr);
    WriteFileText(root_ + "skel\\plug-ins\\common.ztc", "plain plug-in bytes \x01\x02\x03");
    WriteFileText(root_ + "skel\\plug-ins\\app.zta", "an application plug-in, 33 bytes");
    WriteFileText(root_ + "skel\\symbols\\circle.zts", "symbol");
    // A folder named "dummy" is never copied into a profile.
    CreateDirectoryA((root_ + "skel\\Dummy").c_str(), nullptr);
  }
  ~ZTestInstallation() { DeleteDirectoryTree(root_); }
  ZTestInstallation(const ZTestInstallation&) = delete;
  ZTestInstallation& operator=(const ZTestInstallation&) = delete;

  const std::string& root() const { return root_; }
  std::string userFolder() const { return root_ + "users\\" + UserName() + "\\"; }

  static std::string UserName() {
    char name[1024];
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? name : "user";
  }

 private:
  std::string root_;
};

inline std::string FileText(const std::string& path) {
  std::string text;
  return ReadFileText(path, text) ? text : std::string("<unreadable>");
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string DecryptedText(const std::string& path, const ZKeyBlock& key) {
  std::string text;
  return ReadEncryptedFile(path, key, text) ? text : std::string("<undecryptable>");
}

inline ZKeyBlock ProfileDefaultKey() { return DefaultKey().withUsedLength(ZKeyBlock::kProfileLength); }

// Keeps a registry value (or its absence) and puts it back at the end.
class ZRegistryValueGuard {
 public:
  ZRegistryValueGuard(HKEY root, const char* key, const char* value) : root_(root), key_(key), value_(value) {
    HKEY opened;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
      BYTE data[2048];
      DWORD size = sizeof data;
      if (RegQueryValueExA(opened, value_.c_str(), nullptr, &type_, data, &size) == ERROR_SUCCESS) {
        present_ = true;
        data_.assign(data, data + size);
      }
      RegCloseKey(opened);
    }
  }
  ~ZRegistryValueGuard() {
    if (present_) Set(root_, key_.c_str(), value_.c_str(), std::string(data_.begin(), data_.end()), type_);
    else Delete(root_, key_.c_str(), value_.c_str());
  }
  static void Set(HKEY root, const char* key, const char* value, const std::string& text, DWORD type = REG_SZ) {
    HKEY opened;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) return;
    const bool raw = type != REG_SZ;
    RegSetValueExA(opened, value, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + (raw ? 0 : 1)));
    RegCloseKey(opened);
  }
  static void Delete(HKEY root, const char* key, const char* value) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, value);
    RegCloseKey(opened);
  }
  // The value as text, or "<missing>".
  static std::string Get(HKEY root, const char* key, const char* value) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return "<missing>";
    char data[2048];
    DWORD size = sizeof data - 1, type = 0;
    LONG status = RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return "<missing>";
    data[size] = '\0';
    return data;
  }

 private:
  HKEY root_;
  std::string key_, value_;
  bool present_ = false;
  DWORD type_ = REG_SZ;
  std::vector<BYTE> data_;
};
