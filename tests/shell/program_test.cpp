// The staged Zavotra.exe as real processes: one instance only, the
// installation folder from the registry or the program's own folder, the Run
// value following the settings, and a clean exit that saves the profile.
#include <gtest/gtest.h>

#include "common/password_key.h"
#include "resources/zavotra_ids.h"
#include "shell/password_file.h"
#include "shell/settings_text.h"
#include "tests/shell/staged_program.h"
#include "tests/support/temp_folder.h"

namespace {
constexpr DWORD kPatience = kStagedProgramPatience;

// Waits for a state that another process brings about; false when it never came.
template <typename Condition>
bool WaitUntil(Condition condition) {
  for (DWORD waited = 0; waited < kPatience; waited += 20) {
    if (condition()) return true;
    Sleep(20);
  }
  return condition();
}

HWND WaitForMainWindow(DWORD processId) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = MainWindowOf(processId)) != nullptr; });
  return window;
}

// The password dialog (309) of the program; null when it never came.
HWND WaitForPasswordPrompt(const ZChildProcess& program) {
  HWND prompt = nullptr;
  const bool shown = WaitUntil([&] {
    prompt = FindWindowA("#32770", "Zavotra");
    DWORD owner = 0;
    if (prompt) GetWindowThreadProcessId(prompt, &owner);
    return prompt && owner == program.id() && GetDlgItem(prompt, IDC_PASSWORD_EDIT) != nullptr;
  });
  return shown ? prompt : nullptr;
}

// Cancels the password dialog; true when the program then ended with code 0.
bool CancelThePasswordAndWaitForTheEnd(ZChildProcess& program) {
  HWND prompt = WaitForPasswordPrompt(program);
  if (!prompt) return false;
  PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  return program.waitForExit() == 0;
}

// The visible dialog "Zavotra" of the process holding the control.
HWND DialogWith(DWORD processId, int control) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", "Zavotra"); w; w = FindWindowExA(nullptr, w, "#32770", "Zavotra")) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w) && GetDlgItem(w, control)) return w;
  }
  return nullptr;
}

// Whether `upper` comes before `lower` going down the z-order of the desktop.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == upper) return true;
    if (w == lower) return false;
  }
  return false;
}

// A dialog of the start-up is never hidden by the topmost splash screen.
void ExpectOverTheSplash(HWND dialog, DWORD processId) {
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The splash stays 2.5 seconds: on a slow start it may have gone already.
  if (HWND splash = SplashOf(processId)) {
    EXPECT_TRUE(Above(dialog, splash));
    RECT d;
    GetWindowRect(dialog, &d);
    const POINT centre = {(d.left + d.right) / 2, (d.top + d.bottom) / 2};
    EXPECT_EQ(GetAncestor(WindowFromPoint(centre), GA_ROOT), dialog);
  }
}

class Program : public ZStagedProgramTest {
 protected:
  void SetUp() override {
    ZStagedProgramTest::SetUp();
    installHookLibrary();
  }
  static std::string RunValue() { return ZRegistryValueGuard::Get(HKEY_CURRENT_USER, kRunKey, "Zavotra"); }
};
}  // namespace

TEST_F(Program, ASecondStartBringsTheFirstForwardAndExitsWithZero) {
  ZChildProcess first(ZAVOTRA_STAGED_EXE);
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

  ZChildProcess second(ZAVOTRA_STAGED_EXE);
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
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
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
  ZChildProcess process(program);
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
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
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
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND prompt = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (prompt = DialogWith(program.id(), IDC_PASSWORD_EDIT)) != nullptr; }));
  ExpectOverTheSplash(prompt, program.id());
  PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_EQ(FindWindowA("ZavotraClass", nullptr), nullptr);
}

TEST_F(Program, WithSeveralProfilesARefusedPasswordBringsTheChooserOverTheSplash) {
  writeProfile("FirstTime\tfalse\r\n");
  ASSERT_TRUE(WritePasswordFile(profileFolder() + "pf", DeriveKey("guarded")));
  const std::string second = install.userFolder() + "01\\";
  CreateDirectoryA(second.c_str(), nullptr);
  WriteFileText(second + "name", "Second");
  ASSERT_TRUE(WriteEncryptedFile(second + "settings", ProfileDefaultKey(), "FirstTime\tfalse\r\n"));
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND prompt = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (prompt = DialogWith(program.id(), IDC_PASSWORD_EDIT)) != nullptr; }));
  PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  HWND chooser = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (chooser = DialogWith(program.id(), IDC_PROFILE_LIST)) != nullptr; }));
  ExpectOverTheSplash(chooser, program.id());
  PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}

namespace {
// A file that looks written a day before now: before the program's start.
void WriteStale(const std::string& path, const std::string& content) {
  WriteFileText(path, content);
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart -= 24ull * 3600 * 10000000;
  const FILETIME dayBefore{time.LowPart, time.HighPart};
  SetFileTime(file, nullptr, nullptr, &dayBefore);
  CloseHandle(file);
}
}  // namespace

TEST_F(Program, StartUpRemovesWhatACrashedRunLeftBehindAndNothingElse) {
  writeProfile("FirstTime\tfalse\r\n");
  ASSERT_TRUE(WritePasswordFile(profileFolder() + "pf", DeriveKey("guarded")));
  CreateDirectoryA((profileFolder() + "plug-ins").c_str(), nullptr);
  // The program's temporary folder, as it inherits it.
  const std::string temp = install.root() + "temp\\";
  CreateDirectoryA(temp.c_str(), nullptr);
  ScopedTempRedirect redirect(temp);
  WriteStale(temp + ".z_1a2f.tmp", "plain settings of a protected profile");
  WriteStale(profileFolder() + "~zv3c.tmp", "half a save");
  WriteStale(profileFolder() + "plug-ins\\~zvbeef.tmp", "half a plug-in");
  const char* const others[] = {".z_notes.txt", ".z_12345.tmp", "other.tmp", "~zv.txt"};
  for (const char* name : others) WriteStale(temp + name, "someone else's");
  WriteStale(profileFolder() + "plug-ins\\mine.zta", "a plug-in");

  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  EXPECT_TRUE(CancelThePasswordAndWaitForTheEnd(program));

  EXPECT_FALSE(Exists(temp + ".z_1a2f.tmp"));
  EXPECT_FALSE(Exists(profileFolder() + "~zv3c.tmp"));
  EXPECT_FALSE(Exists(profileFolder() + "plug-ins\\~zvbeef.tmp"));
  for (const char* name : others) EXPECT_TRUE(Exists(temp + name)) << name;
  EXPECT_EQ(FileText(profileFolder() + "plug-ins\\mine.zta"), "a plug-in");
}
