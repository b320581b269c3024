// The staged Zavotra.exe started as a real second process, for the tests
// that drive the program from outside: the process, its main window, and a
// fixture pointing the program at a test installation whose registry values
// are restored afterwards.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/registry_entries.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/child_process.h"

#ifndef ZAVOTRA_STAGED_EXE
#error "the test needs the path of the staged program"
#endif

// How long a test waits for the program: generous, a slow machine is not a failure.
constexpr DWORD kStagedProgramPatience = 30000;

// The main window of the process; null while it has none.
inline HWND MainWindowOf(DWORD processId) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "ZavotraClass", nullptr); w;
       w = FindWindowExA(nullptr, w, "ZavotraClass", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId) return w;
  }
  return nullptr;
}

// The splash screen of the process: its dialog without a caption, topmost.
inline HWND SplashOf(DWORD processId) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char caption[64] = "";
    GetWindowTextA(w, caption, sizeof caption);
    if (owner == processId && IsWindowVisible(w) && caption[0] == '\0' &&
        (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST))
      return w;
  }
  return nullptr;
}

// The hook library staged beside the program.
inline std::string StagedHookLibrary() {
  const std::string program = ZAVOTRA_STAGED_EXE;
  return program.substr(0, program.size() - strlen("Zavotra.exe")) + "system\\Zavotra.dll";
}

// A test installation the program finds through "AppFolder", with the
// registry values it reads and writes put back after the test.
class ZStagedProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowA("ZavotraClass", nullptr), nullptr) << "another Zavotra is running";
    ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, "AppFolder", install.root());
  }
  // Without its hook library the program tells the user first.
  void installHookLibrary() {
    ASSERT_TRUE(CopyFileA(StagedHookLibrary().c_str(), (install.root() + "system\\Zavotra.dll").c_str(), FALSE));
  }
  std::string profileFolder() const { return install.userFolder() + "00\\"; }
  // The default profile, named "Default", with these settings.
  void writeProfile(const std::string& settingsText) {
    CreateDirectoryA(install.userFolder().c_str(), nullptr);
    CreateDirectoryA(profileFolder().c_str(), nullptr);
    WriteFileText(profileFolder() + "name", "Default");
    ASSERT_TRUE(WriteEncryptedFile(profileFolder() + "settings", ProfileDefaultKey(), settingsText));
  }

  ZTestInstallation install;
  ZRegistryValueGuard userFolder{HKEY_CURRENT_USER, kProductKey, "AppFolder"};
  ZRegistryValueGuard machineFolder{HKEY_LOCAL_MACHINE, kProductKey, "AppFolder"};
  ZRegistryValueGuard run{HKEY_CURRENT_USER, kRunKey, "Zavotra"};
  ZRegistryValueGuard appPath{HKEY_LOCAL_MACHINE, kAppPathsKey, ""};
};
