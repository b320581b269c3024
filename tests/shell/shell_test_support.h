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
#include "tests/support/registry_value_guard.h"

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

