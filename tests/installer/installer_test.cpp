// ZavotraInstall.exe under Wine: the wizard driven by control ids from this
// process, the unattended switch, and the installation's own rules.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

#include "common/shortcut.h"
#include "installer/installation.h"
#include "tests/installer/installer_fixture.h"
#include "tests/support/injected_input.h"

namespace {

std::string MachineValue(const char* key, const char* value) {
  return ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, key, value);
}

void SetFileAge(const std::string& path, LONGLONG secondsFromNow) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time;
  time.LowPart = now.dwLowDateTime;
  time.HighPart = now.dwHighDateTime;
  time.QuadPart += secondsFromNow * 10000000LL;
  FILETIME stamp = {time.LowPart, time.HighPart};
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &stamp);
  CloseHandle(file);
}

std::string WithoutBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

bool ButtonEnabled(HWND sheet, int id) { return IsWindowEnabled(GetDlgItem(sheet, id)) != FALSE; }

void PressCtrlAltF() {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(VK_MENU, 0, 0, 0);
  keybd_event('F', 0, 0, 0);
  keybd_event('F', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

TEST_F(ZInstallerTest, WizardInstallsEverythingAndFinishStartsTheProgram) {
  const std::string earlier = folder("earlier", true);
  ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue, earlier);
  const std::string target = folder("Zavotra Pro") + "nested\\";

  ZChildProcess installer(dist.file("ZavotraInstall.exe"), "");
  HWND window = InstallerWindow(installer.id());
  ASSERT_NE(window, nullptr);
  RECT area;
  GetWindowRect(window, &area);
  EXPECT_EQ(area.right - area.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(area.bottom - area.top, GetSystemMetrics(SM_CYSCREEN));
  HWND sheet = Wizard(window);
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(WaitFor([] {
    HDC screen = GetDC(nullptr);
    const COLORREF corner = GetPixel(screen, 2, GetSystemMetrics(SM_CYSCREEN) - 3);
    ReleaseDC(nullptr, screen);
    return corner == RGB(0x33, 0x66, 0x99);
  }));
  // Alt+F4 and the system menu do nothing: the next message after them
  // finds the window still there.
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);

  // Welcome: only Next.
  EXPECT_TRUE(ButtonEnabled(sheet, kWizardNext));
  EXPECT_FALSE(ButtonEnabled(sheet, kWizardBack));

  // Licence: the file's text, "I do not agree" chosen, Next only after agreeing.
  ASSERT_TRUE(PressAndWaitFor(sheet, PSBTN_NEXT, IDC_LICENSE_TEXT));
  EXPECT_TRUE(IsWindow(window));
  HWND licence = CurrentPage(sheet);
  EXPECT_EQ(ItemText(licence, IDC_LICENSE_TEXT), "Test licence\r\nSecond line\r\n");
  EXPECT_EQ(IsDlgButtonChecked(licence, IDC_LICENSE_DISAGREE), BST_CHECKED);
  EXPECT_FALSE(ButtonEnabled(sheet, kWizardNext));
  EXPECT_TRUE(ButtonEnabled(sheet, kWizardBack));
  ChooseRadio(licence, IDC_LICENSE_AGREE, IDC_LICENSE_DISAGREE);
  EXPECT_TRUE(WaitFor([&] { return ButtonEnabled(sheet, kWizardNext); }));
  ChooseRadio(licence, IDC_LICENSE_DISAGREE, IDC_LICENSE_AGREE);
  EXPECT_TRUE(WaitFor([&] { return !ButtonEnabled(sheet, kWizardNext); }));
  ChooseRadio(licence, IDC_LICENSE_AGREE, IDC_LICENSE_DISAGREE);

  // Folder: an earlier installation's folder is proposed as it was stored.
  ASSERT_TRUE(PressAndWaitFor(sheet, PSBTN_NEXT, IDC_FOLDER_EDIT));
  HWND folderPage = CurrentPage(sheet);
  EXPECT_EQ(ItemText(folderPage, IDC_FOLDER_EDIT), earlier);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(folderPage, IDC_INSTALL_PROGRESS)));
  SetItemText(folderPage, IDC_FOLDER_EDIT, WithoutBackslash(target).c_str());
  ASSERT_TRUE(PressAndWaitFor(sheet, PSBTN_NEXT, IDC_FINISH_ANIMATION));

  // The progress bar went once per counted file and once per closing step.
  HWND progress = GetDlgItem(folderPage, IDC_INSTALL_PROGRESS);
  EXPECT_TRUE(GetWindowLongA(progress, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0), kCountedFiles + 2);
  EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), kCountedFiles + 2);
  EXPECT_EQ(ItemText(folderPage, IDC_INSTALL_STATUS), "Updating the registry...");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(folderPage, IDC_FOLDER_EDIT)));

  for (const char* file : kInstalledFiles) EXPECT_TRUE(TempFolder::Exists(target + file)) << file;
  EXPECT_EQ(TempFolder::Read(target + "readme.txt"), "readme from the distribution");
  // The older distribution's uninstaller went under its new name.
  EXPECT_TRUE(TempFolder::Exists(dist.file("windows\\ztap_unst.exe")));
  EXPECT_FALSE(TempFolder::Exists(dist.file("windows\\zta_unst.exe")));
  EXPECT_EQ(TempFolder::Read(installedUninstaller()), TempFolder::Read(ZAVOTRA_UNINSTALLER_EXE));

  EXPECT_EQ(MachineValue(kProductKey, kAppFolderValue), target);
  EXPECT_EQ(MachineValue(kUninstallKey, "DisplayName"), "Zavotra Pro");
  EXPECT_EQ(MachineValue(kUninstallKey, "UninstallString"), WindowsFolder() + "ztap_unst.exe");
  const std::string menu = StartMenuFolder(InstallsForAllUsers());
  EXPECT_PRED2(SamePath, ResolveShortcut(menu + "Zavotra.lnk"), target + "Zavotra.exe");
  EXPECT_PRED2(SamePath, ResolveShortcut(menu + "Zavotra Home Page.lnk"), target + "system\\Zavotra Home Page.url");

  // The last page: no way back or out until the timer gives Finish.
  HWND last = CurrentPage(sheet);
  EXPECT_FALSE(ButtonEnabled(sheet, kWizardFinish));
  EXPECT_FALSE(ButtonEnabled(sheet, IDCANCEL));
  PostMessageA(last, WM_TIMER, ID_TIMER_ENABLE_FINISH, 0);
  ASSERT_TRUE(WaitFor([&] { return ButtonEnabled(sheet, kWizardFinish); }));
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  EXPECT_EQ(installer.waitForExit(), 0);
  EXPECT_PRED2(SamePath, StartedFrom(target), WithoutBackslash(target));
}

struct ZProposalCase {
  const char* name;
  const char* machineFolder;  // null: no value
  const char* userFolder;
  bool programFiles;          // the default proposal is expected
};

class ZProposedFolderTest : public ZInstallerTest, public ::testing::WithParamInterface<ZProposalCase> {};

TEST_P(ZProposedFolderTest, ComesFromTheMachineThenTheUserThenProgramFiles) {
  const ZProposalCase& c = GetParam();
  for (auto [root, value] : {std::pair{HKEY_LOCAL_MACHINE, c.machineFolder}, std::pair{HKEY_CURRENT_USER, c.userFolder}}) {
    if (value)
      ZRegistryValueGuard::Set(root, kProductKey, kAppFolderValue, value);
    else
      ZRegistryValueGuard::Delete(root, kProductKey, kAppFolderValue);
  }
  std::string expected;
  if (c.programFiles) {
    std::string programFiles = MachineValue("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    expected = (programFiles == "<missing>" ? std::string("C:\\Program Files") : programFiles) + "\\Zavotra Pro";
  } else {
    expected = c.machineFolder ? c.machineFolder : c.userFolder;
  }

  ZChildProcess installer(dist.file("ZavotraInstall.exe"), "");
  HWND sheet = Wizard(InstallerWindow(installer.id()));
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(GoToFolderPage(sheet));
  EXPECT_EQ(ItemText(CurrentPage(sheet), IDC_FOLDER_EDIT), expected);
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  EXPECT_EQ(installer.waitForExit(), 0);
  EXPECT_EQ(MachineValue(kUninstallKey, "DisplayName"), "<missing>") << "cancelled before anything was installed";
}

INSTANTIATE_TEST_SUITE_P(
    Installer, ZProposedFolderTest,
    ::testing::Values(ZProposalCase{"MachineFirst", "C:\\Machine Place\\", "C:\\User Place\\", false},
                      ZProposalCase{"UserWhenMachineHasNone", nullptr, "C:\\User Place\\", false},
                      ZProposalCase{"ProgramFilesWithoutEarlierInstallation", nullptr, nullptr, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Ctrl+Alt+F starts the program of the current installation folder and ends
// the installer: the proposed one before the installation, the chosen one after.
class ZStartKeyTest : public ZInstallerTest, public ::testing::WithParamInterface<int> {};

TEST_P(ZStartKeyTest, StartsTheProgramOfTheCurrentFolderAndEnds) {
  const int pagesToGo = GetParam();  // 0 welcome, 2 folder page, 3 after the installation
  const std::string earlier = folder("earlier", true);
  ASSERT_TRUE(CopyInto(ZAVOTRA_FAKE_PROGRAM_EXE, earlier + "Zavotra.exe"));
  ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue, WithoutBackslash(earlier));
  const std::string chosen = folder("chosen");

  ZChildProcess installer(dist.file("ZavotraInstall.exe"), "");
  HWND sheet = Wizard(InstallerWindow(installer.id()));
  ASSERT_NE(sheet, nullptr);
  if (pagesToGo >= 2) {
    ASSERT_TRUE(GoToFolderPage(sheet));
  }
  if (pagesToGo >= 3) {
    SetItemText(CurrentPage(sheet), IDC_FOLDER_EDIT, chosen.c_str());
    ASSERT_TRUE(PressAndWaitFor(sheet, PSBTN_NEXT, IDC_FINISH_ANIMATION));
  }
  SetForegroundWindow(sheet);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == sheet; }));
  PressCtrlAltF();
  EXPECT_EQ(installer.waitForExit(), 0);
  const std::string started = pagesToGo >= 3 ? chosen : earlier;
  EXPECT_PRED2(SamePath, StartedFrom(started), WithoutBackslash(started));
}

INSTANTIATE_TEST_SUITE_P(Installer, ZStartKeyTest, ::testing::Values(0, 2, 3),
                         [](const auto& info) { return "AfterPages" + std::to_string(info.param); });

TEST_F(ZInstallerTest, OlderInstalledFilesAreReplacedAndNewerOnesKept) {
  const std::string target = folder("Zavotra Pro", true);
  CreateDirectoryA((target + "help").c_str(), nullptr);
  TempFolder::Write(target + "readme.txt", "installed, newer than the distribution");
  SetFileAge(target + "readme.txt", 3600);
  TempFolder::Write(target + "help\\index.htm", "installed, older than the distribution");
  SetFileAge(target + "help\\index.htm", -3600);

  EXPECT_EQ(runInstallerQuietly("/quiet \"" + target + "\""), 0);
  EXPECT_EQ(TempFolder::Read(target + "readme.txt"), "installed, newer than the distribution");
  EXPECT_EQ(TempFolder::Read(target + "help\\index.htm"), "<p>help from the distribution</p>");
}

TEST_F(ZInstallerTest, QuietSwitchInstallsWithoutStartingTheProgram) {
  const std::string target = folder("Quiet Place");
  EXPECT_EQ(runInstallerQuietly("/quiet \"" + WithoutBackslash(target) + "\""), 0);
  for (const char* file : kInstalledFiles) EXPECT_TRUE(TempFolder::Exists(target + file)) << file;
  EXPECT_EQ(MachineValue(kProductKey, kAppFolderValue), target);
  EXPECT_EQ(MachineValue(kUninstallKey, "UninstallString"), WindowsFolder() + "ztap_unst.exe");
  EXPECT_TRUE(TempFolder::Exists(installedUninstaller()));
  const std::string menu = StartMenuFolder(InstallsForAllUsers());
  EXPECT_PRED2(SamePath, ResolveShortcut(menu + "Zavotra.lnk"), target + "Zavotra.exe");
  EXPECT_FALSE(TempFolder::Exists(target + "started.txt"));
}

TEST_F(ZInstallerTest, QuietSwitchWithoutFolderUsesTheProposedOne) {
  const std::string earlier = folder("earlier", true);
  ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue, earlier);
  EXPECT_EQ(runInstallerQuietly("/QUIET"), 0);
  EXPECT_TRUE(TempFolder::Exists(earlier + "Zavotra.exe"));
  EXPECT_EQ(MachineValue(kProductKey, kAppFolderValue), earlier);
}

struct ZRefusalCase {
  const char* name;
  const char* arguments;
  long exitCode;
};

class ZQuietRefusalTest : public ZInstallerTest, public ::testing::WithParamInterface<ZRefusalCase> {};

TEST_P(ZQuietRefusalTest, InstallsNothing) {
  const std::string before = MachineValue(kProductKey, kAppFolderValue);
  EXPECT_EQ(runInstallerQuietly(GetParam().arguments), GetParam().exitCode);
  EXPECT_EQ(MachineValue(kProductKey, kAppFolderValue), before);
  EXPECT_EQ(MachineValue(kUninstallKey, "DisplayName"), "<missing>");
}

INSTANTIATE_TEST_SUITE_P(
    Installer, ZQuietRefusalTest,
    ::testing::Values(ZRefusalCase{"UnknownSwitch", "/silent", 2}, ZRefusalCase{"TwoFolders", "/quiet C:\\a C:\\b", 2},
                      ZRefusalCase{"FolderFirst", "C:\\a /quiet", 2},
                      ZRefusalCase{"DriveRoot", "/quiet C:\\", 4},
                      ZRefusalCase{"Wildcards", "/quiet C:\\Zavotra*", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZInstallerTest, QuietSwitchRefusesADistributionWithoutProgramFolder) {
  TempFolder lonely;
  ASSERT_TRUE(CopyInto(ZAVOTRA_INSTALLER_EXE, lonely.file("ZavotraInstall.exe")));
  ZChildProcess installer(lonely.file("ZavotraInstall.exe"), "/quiet \"" + folder("nowhere") + "\"");
  EXPECT_EQ(installer.waitForExit(), 3);
  EXPECT_FALSE(TempFolder::Exists(folder("nowhere")));
}

// A running program is asked to end (WM_DESTROY to its main window) before
// its files are replaced.
TEST_F(ZInstallerTest, RunningProgramIsEndedFirst) {
  static LONG destroyed = 0;
  destroyed = 0;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, [](void* event) -> DWORD {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      if (m == WM_DESTROY) {
        InterlockedExchange(&destroyed, 1);
        PostQuitMessage(0);
        return 0;
      }
      return DefWindowProcA(w, m, wp, lp);
    };
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kProgramWindowClass;
    RegisterClassA(&windowClass);
    HWND w = CreateWindowA(kProgramWindowClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetEvent(static_cast<HANDLE>(event));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DestroyWindow(w);
    UnregisterClassA(kProgramWindowClass, GetModuleHandleA(nullptr));
    return 0;
  }, ready, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);

  EXPECT_EQ(runInstallerQuietly("/quiet \"" + folder("Zavotra Pro") + "\""), 0);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
  CloseHandle(thread);
  CloseHandle(ready);
}

// Run in this process, with the Start menu choice given: a user who is no
// administrator gets the shortcuts in his own Start menu.
TEST_F(ZInstallerTest, ShortcutsOfANonAdministratorGoToHisOwnStartMenu) {
  const std::string target = folder("Zavotra Pro");
  EXPECT_TRUE(ZInstallation(dist.slashed(), target, false).run(ZInstallProgress()));
  const std::string own = StartMenuFolder(false);
  const std::string common = StartMenuFolder(true);
  ASSERT_FALSE(SamePath(own, common));
  EXPECT_PRED2(SamePath, ResolveShortcut(own + "Zavotra.lnk"), target + "Zavotra.exe");
  EXPECT_PRED2(SamePath, ResolveShortcut(own + "Zavotra Home Page.lnk"), target + "system\\Zavotra Home Page.url");
  EXPECT_FALSE(TempFolder::Exists(common + "Zavotra.lnk"));
}
