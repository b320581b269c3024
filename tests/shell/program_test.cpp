// The staged Zavotra.exe as real processes: one instance only, the
// installation folder from the registry or the program's own folder, the Run
// value following the settings, and a clean exit that saves the profile.
#include <gtest/gtest.h>

#include "common/password_key.h"
#include "resources/zavotra_ids.h"
#include "shell/password_file.h"
#include "shell/registry_entries.h"
#include "shell/settings_text.h"
#include "shell_test_support.h"

#ifndef ZAVOTRA_STAGED_EXE
#error "the test needs the path of the staged program"
#endif

namespace {
constexpr DWORD kPatience = 30000;  // generous: a slow machine is not a failure

class ZProcess {
 public:
  explicit ZProcess(const std::string& program) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    started_ = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info_) != 0;
  }
  ~ZProcess() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool started() const { return started_; }
  // The exit code, or -1 when the process did not end in time.
  long waitForExit(DWORD ms = kPatience) {
    if (!started_ || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }
  DWORD id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

HWND WaitForMainWindow(DWORD processId) {
  for (DWORD waited = 0; waited < kPatience; waited += 20) {
    HWND window = FindWindowA("ZavotraClass", nullptr);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    if (window && owner == processId) return window;
    Sleep(20);
  }
  return nullptr;
}

// Waits for a state that another process brings about; false when it never came.
template <typename Condition>
bool WaitUntil(Condition condition) {
  for (DWORD waited = 0; waited < kPatience; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

// The installation folder the program is pointed at, and the registry values
// it reads and writes, restored afterwards.
class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(FindWindowA("ZavotraClass", nullptr), nullptr) << "another Zavotra is running";
    ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, "AppFolder", install.root());
    // The program loads its hook library at start-up; without it the user is told first.
    std::string dll = ZAVOTRA_STAGED_EXE;
    dll = dll.substr(0, dll.size() - 11) + "system\\Zavotra.dll";
    CopyFileA(dll.c_str(), (install.root() + "system\\Zavotra.dll").c_str(), FALSE);
  }
  std::string profileFolder() const { return install.userFolder() + "00\\"; }
  void writeProfile(const std::string& settingsText) {
    CreateDirectoryA(install.userFolder().c_str(), nullptr);
    CreateDirectoryA(profileFolder().c_str(), nullptr);
    WriteFileText(profileFolder() + "name", "Default");
    ASSERT_TRUE(WriteEncryptedFile(profileFolder() + "settings", ProfileDefaultKey(), settingsText));
  }
  static std::string RunValue() { return ZRegistryValueGuard::Get(HKEY_CURRENT_USER, kRunKey, "Zavotra"); }

  ZTestInstallation install;
  ZRegistryValueGuard userFolder{HKEY_CURRENT_USER, kProductKey, "AppFolder"};
  ZRegistryValueGuard machineFolder{HKEY_LOCAL_MACHINE, kProductKey, "AppFolder"};
  ZRegistryValueGuard run{HKEY_CURRENT_USER, kRunKey, "Zavotra"};
  ZRegistryValueGuard appPath{HKEY_LOCAL_MACHINE, kAppPathsKey, ""};
};
}  // namespace

TEST_F(Program, ASecondStartBringsTheFirstForwardAndExitsWithZero) {
  ZProcess first(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(first.started());
  HWND window = WaitForMainWindow(first.id());
  ASSERT_NE(window, nullptr);
  // The first start shows the window and saves the new profile at once.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_NE(DecryptedText(profileFolder() + "settings", ProfileDefaultKey()).find("FirstTime\tfalse"),
            std::string::npos);
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder"), install.root());
  EXPECT_EQ(RunValue(), "\"" + install.root() + "Zavotra.exe\"");

  // The close box only hides it.
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(first.waitForExit(300), -1);

  ZProcess second(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.waitForExit(), 0);
  EXPECT_TRUE(IsWindowVisible(window));  // shown before the second one exited
  EXPECT_EQ(FindWindowA("ZavotraClass", nullptr), window);

  // Moving the window is remembered, and a destroy message (as the installer
  // sends it) ends the program after saving.
  SetWindowPos(window, nullptr, 31, 42, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(window, WM_DESTROY, 0, 0);
  EXPECT_EQ(first.waitForExit(), 0);
  const ZSettings saved = SettingsFromText(DecryptedText(profileFolder() + "settings", ProfileDefaultKey()), ZSettings());
  EXPECT_FALSE(saved.firstTime);
  EXPECT_EQ(saved.windowX, 31);
  EXPECT_EQ(saved.windowY, 42);
  EXPECT_EQ(FileText(install.userFolder() + "current"), "Default");
}

TEST_F(Program, RunAtStartupFalseRemovesTheRunValueAtStartAndAtExit) {
  writeProfile("FirstTime\tfalse\r\nRunAtStartup\tfalse\r\nStartHidden\ttrue\r\n");
  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kRunKey, "Zavotra", "\"C:\\old\\Zavotra.exe\"");
  ZProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND window = WaitForMainWindow(program.id());
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));  // starts hidden
  EXPECT_EQ(RunValue(), "<missing>");

  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kRunKey, "Zavotra", "\"C:\\old\\Zavotra.exe\"");
  PostMessageA(window, WM_DESTROY, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_EQ(RunValue(), "<missing>");
}

TEST_F(Program, WithoutAppFolderTheProgramsOwnFolderIsUsed) {
  ZRegistryValueGuard::Delete(HKEY_CURRENT_USER, kProductKey, "AppFolder");
  ZRegistryValueGuard::Delete(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder");
  const std::string program = install.root() + "Zavotra.exe";
  ASSERT_TRUE(CopyFileA(ZAVOTRA_STAGED_EXE, program.c_str(), FALSE));
  ZProcess process(program);
  ASSERT_TRUE(process.started());
  HWND window = WaitForMainWindow(process.id());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FileText(profileFolder() + "name"), "Default");
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder"), install.root());
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kAppPathsKey, ""), program);
  PostMessageA(window, WM_DESTROY, 0, 0);
  EXPECT_EQ(process.waitForExit(), 0);
}

TEST_F(Program, TheEndOfTheWindowsSessionEndsTheProgramAfterSaving) {
  ZProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND window = WaitForMainWindow(program.id());
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  SetWindowPos(window, nullptr, 64, 65, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), TRUE);
  // A session end that was cancelled changes nothing.
  SendMessageA(window, WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(program.waitForExit(300), -1);
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(program.waitForExit(), 0);
  const ZSettings saved = SettingsFromText(DecryptedText(profileFolder() + "settings", ProfileDefaultKey()), ZSettings());
  EXPECT_EQ(saved.windowX, 64);
  EXPECT_EQ(saved.windowY, 65);
}

TEST_F(Program, CancellingThePasswordOfTheOnlyProfileEndsTheProgram) {
  writeProfile("FirstTime\tfalse\r\n");
  ASSERT_TRUE(WritePasswordFile(profileFolder() + "pf", DeriveKey("guarded")));
  ZProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND prompt = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    prompt = FindWindowA("#32770", "Zavotra");
    DWORD owner = 0;
    if (prompt) GetWindowThreadProcessId(prompt, &owner);
    return prompt && owner == program.id() && GetDlgItem(prompt, IDC_PASSWORD_EDIT) != nullptr;
  }));
  PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_EQ(FindWindowA("ZavotraClass", nullptr), nullptr);
}
