// Fixtures of the installer's tests under Wine: a small distribution folder
// with the built installer and uninstaller, a stand-in Zavotra.exe, the
// installer run as a real process, its wizard found and driven by control
// ids, and the registry, Windows folder and Start menu put back afterwards.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/install_ids.h"
#include "installer/install_names.h"
#include "installer/system_folders.h"
#include "tests/support/child_process.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/registry_value_guard.h"
#include "tests/support/temp_folder.h"

#if !defined(ZAVOTRA_INSTALLER_EXE) || !defined(ZAVOTRA_UNINSTALLER_EXE) || !defined(ZAVOTRA_FAKE_PROGRAM_EXE) || \
    !defined(ZAVOTRA_ANIM_AVI)
#error "the installer tests need the paths of the built programs and media"
#endif

// How long a test waits for the installer: generous, a slow machine is no failure.
constexpr DWORD kInstallerPatience = 30000;

// Button ids of a wizard property sheet.
constexpr int kWizardBack = 0x3023;
constexpr int kWizardNext = 0x3024;
constexpr int kWizardFinish = 0x3025;

// A registry key that did not exist before the test is deleted after it.
class ZRegistryKeyGuard {
 public:
  ZRegistryKeyGuard(HKEY root, const char* key) : root_(root), key_(key) {
    HKEY opened;
    existed_ = RegOpenKeyExA(root, key, 0, KEY_READ, &opened) == ERROR_SUCCESS;
    if (existed_) RegCloseKey(opened);
  }
  ~ZRegistryKeyGuard() {
    if (!existed_) RegDeleteKeyA(root_, key_.c_str());
  }

 private:
  HKEY root_;
  std::string key_;
  bool existed_ = false;
};

inline bool SamePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

inline bool CopyInto(const std::string& source, const std::string& destination) {
  return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

class ZInstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    uninstallerExisted_ = TempFolder::Exists(installedUninstaller());
    ASSERT_TRUE(CopyInto(ZAVOTRA_INSTALLER_EXE, dist.file("ZavotraInstall.exe")));
    ASSERT_TRUE(CopyInto(ZAVOTRA_ANIM_AVI, dist.file("anim.avi")));
    TempFolder::Write(dist.file("license.txt"), "Test licence\nSecond line\n");
    for (const char* folder : {"program", "program\\system", "program\\help", "windows"})
      ASSERT_TRUE(CreateDirectoryA(dist.file(folder).c_str(), nullptr));
    ASSERT_TRUE(CopyInto(ZAVOTRA_FAKE_PROGRAM_EXE, dist.file("program\\Zavotra.exe")));
    TempFolder::Write(dist.file("program\\system\\Zavotra Home Page.url"), "[InternetShortcut]\r\nURL=http://zavotra.invalid/\r\n");
    TempFolder::Write(dist.file("program\\system\\dummy"), "");
    TempFolder::Write(dist.file("program\\help\\index.htm"), "<p>help from the distribution</p>");
    TempFolder::Write(dist.file("program\\readme.txt"), "readme from the distribution");
    // An older distribution's name for the uninstaller.
    ASSERT_TRUE(CopyInto(ZAVOTRA_UNINSTALLER_EXE, dist.file("windows\\zta_unst.exe")));
    clearStartMenus();
  }
  void TearDown() override {
    if (!uninstallerExisted_) DeleteFileA(installedUninstaller().c_str());
    clearStartMenus();
    CoUninitialize();
  }

  // The files the distribution puts into an installation folder.
  static constexpr const char* kInstalledFiles[] = {"Zavotra.exe", "readme.txt", "system\\Zavotra Home Page.url",
                                                   "system\\dummy", "help\\index.htm"};
  // Distribution files, not counting the placeholder "dummy".
  static constexpr int kCountedFiles = 5;

  static std::string installedUninstaller() { return WindowsFolder() + kUninstallerName; }

  static void clearStartMenus() {
    for (bool allUsers : {true, false}) {
      const std::string folder = StartMenuFolder(allUsers);
      DeleteFileA((folder + kProgramShortcut).c_str());
      DeleteFileA((folder + kHomePageShortcut).c_str());
      RemoveDirectoryA(folder.c_str());
    }
  }

  // A folder below the test's place, ending in "\"; made when `create`.
  std::string folder(const std::string& name, bool create = false) const {
    const std::string path = place.file(name);
    if (create) CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\";
  }

  long runInstallerQuietly(const std::string& arguments) {
    ZChildProcess installer(dist.file("ZavotraInstall.exe"), arguments);
    return installer.started() ? installer.waitForExit() : -2;
  }

  // The full-screen window of the installer process, once it exists.
  static HWND InstallerWindow(DWORD processId) {
    HWND found = nullptr;
    WaitFor([&] {
      for (HWND w = FindWindowExA(nullptr, nullptr, "ZavotraInstall", nullptr); w;
           w = FindWindowExA(nullptr, w, "ZavotraInstall", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId) found = w;
      }
      return found != nullptr;
    }, kInstallerPatience);
    return found;
  }

  // The wizard owned by the installer's window, once it shows a page.
  static HWND Wizard(HWND installerWindow) {
    HWND sheet = nullptr;
    WaitFor([&] {
      for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == installerWindow && SendMessageA(w, PSM_GETCURRENTPAGEHWND, 0, 0)) sheet = w;
      }
      return sheet != nullptr;
    }, kInstallerPatience);
    return sheet;
  }

  static HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

  // Presses a wizard button and waits until the page with `nextControl` shows.
  static bool PressAndWaitFor(HWND sheet, int button, int nextControl, DWORD ms = kInstallerPatience) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    return WaitFor([&] { return GetDlgItem(CurrentPage(sheet), nextControl) != nullptr; }, ms);
  }

  static void ChooseRadio(HWND page, int chosen, int other) {
    SendDlgItemMessageA(page, other, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(page, chosen, BM_SETCHECK, BST_CHECKED, 0);
    Click(page, chosen);
  }

  // From the welcome page to the folder page, agreeing to the licence.
  static bool GoToFolderPage(HWND sheet) {
    if (!PressAndWaitFor(sheet, PSBTN_NEXT, IDC_LICENSE_AGREE)) return false;
    ChooseRadio(CurrentPage(sheet), IDC_LICENSE_AGREE, IDC_LICENSE_DISAGREE);
    return PressAndWaitFor(sheet, PSBTN_NEXT, IDC_FOLDER_EDIT);
  }

  // The text a started stand-in program left: its working folder.
  static std::string StartedFrom(const std::string& installFolder, DWORD ms = kInstallerPatience) {
    const std::string marker = installFolder + "started.txt";
    WaitFor([&] { return TempFolder::Read(marker) != "<missing>"; }, ms);
    return TempFolder::Read(marker);
  }

  TempFolder dist;   // the distribution folder
  TempFolder place;  // where the installations go
  ZRegistryKeyGuard vendorKey{HKEY_LOCAL_MACHINE, kVendorKey};
  ZRegistryKeyGuard productKey{HKEY_LOCAL_MACHINE, kProductKey};
  ZRegistryKeyGuard userProductKey{HKEY_CURRENT_USER, kProductKey};
  ZRegistryKeyGuard uninstallKey{HKEY_LOCAL_MACHINE, kUninstallKey};
  ZRegistryValueGuard machineFolder{HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue};
  ZRegistryValueGuard userFolder{HKEY_CURRENT_USER, kProductKey, kAppFolderValue};
  ZRegistryValueGuard displayName{HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"};
  ZRegistryValueGuard uninstallString{HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"};
  ZRegistryValueGuard runValue{HKEY_CURRENT_USER, kRunKey, kRunValue};

 private:
  bool uninstallerExisted_ = false;
};
