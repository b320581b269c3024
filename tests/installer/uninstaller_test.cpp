// ztap_unst.exe under Wine: it removes what the installer wrote and nothing
// else, and refuses odd input without removing anything.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/installer/installer_fixture.h"

namespace {

class ZUninstallerTest : public ZInstallerTest {
 protected:
  void SetUp() override {
    ZInstallerTest::SetUp();
    if (HasFatalFailure()) return;
    target = folder("Zavotra Pro");
    ASSERT_EQ(runInstallerQuietly("/quiet \"" + target + "\""), 0);
    // What the program and the user add to the installation.
    CreateDirectoryA((target + "users").c_str(), nullptr);
    CreateDirectoryA((target + "users\\00").c_str(), nullptr);
    TempFolder::Write(target + "users\\00\\settings", "a profile's settings");
    TempFolder::Write(target + "system\\notes.txt", "the user's own notes");
    ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kRunKey, kRunValue, "\"" + target + "Zavotra.exe\"");
  }

  long uninstall(const std::string& arguments) {
    ZChildProcess uninstaller(installedUninstaller(), arguments);
    return uninstaller.started() ? uninstaller.waitForExit() : -2;
  }

  void expectInstallationUntouched() {
    for (const char* file : kInstalledFiles) EXPECT_TRUE(TempFolder::Exists(target + file)) << file;
    EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue), target);
    EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Zavotra Pro");
    EXPECT_TRUE(TempFolder::Exists(StartMenuFolder(InstallsForAllUsers()) + "Zavotra.lnk"));
  }

  std::string target;
};

}  // namespace

TEST_F(ZUninstallerTest, RemovesWhatTheInstallerWroteAndKeepsProfilesAndOtherFiles) {
  EXPECT_EQ(uninstall("/quiet"), 0);
  for (const char* file : kInstalledFiles) EXPECT_FALSE(TempFolder::Exists(target + file)) << file;
  EXPECT_FALSE(TempFolder::Exists(target + "help"));
  EXPECT_FALSE(TempFolder::Exists(target + "install.log"));
  EXPECT_EQ(TempFolder::Read(target + "users\\00\\settings"), "a profile's settings");
  EXPECT_EQ(TempFolder::Read(target + "system\\notes.txt"), "the user's own notes");

  for (bool allUsers : {true, false}) EXPECT_FALSE(TempFolder::Exists(StartMenuFolder(allUsers))) << allUsers;
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"), "<missing>");
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue), "<missing>");
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_CURRENT_USER, kRunKey, kRunValue), "<missing>");
  // The distribution is not the installer's to remove.
  EXPECT_TRUE(TempFolder::Exists(dist.file("ZavotraInstall.exe")));
  EXPECT_TRUE(TempFolder::Exists(dist.file("program\\Zavotra.exe")));
}

TEST_F(ZUninstallerTest, AllSwitchRemovesTheProfilesToo) {
  EXPECT_EQ(uninstall("/quiet /all"), 0);
  EXPECT_FALSE(TempFolder::Exists(target + "users"));
  EXPECT_FALSE(TempFolder::Exists(target + "Zavotra.exe"));
  EXPECT_EQ(TempFolder::Read(target + "system\\notes.txt"), "the user's own notes");
}

TEST_F(ZUninstallerTest, ARecordNamingFilesElsewhereRemovesOnlyTheInstalledOnes) {
  const std::string outside = place.file("outside.txt");
  TempFolder::Write(outside, "not Zavotra's");
  std::string record = TempFolder::Read(target + "install.log");
  record += outside + "\r\n" + target + "..\\outside.txt\r\n" + target + "*.txt\r\n";
  TempFolder::Write(target + "install.log", record);
  EXPECT_EQ(uninstall("/quiet"), 0);
  EXPECT_EQ(TempFolder::Read(outside), "not Zavotra's");
  EXPECT_FALSE(TempFolder::Exists(target + "Zavotra.exe"));
}

TEST_F(ZUninstallerTest, ProgramSettingsOfAnotherInstallationStay) {
  const std::string other = "\"C:\\Elsewhere\\Zavotra.exe\"";
  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kRunKey, kRunValue, other);
  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, kAppFolderValue, "C:\\Elsewhere\\");
  EXPECT_EQ(uninstall("/quiet"), 0);
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_CURRENT_USER, kRunKey, kRunValue), other);
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_CURRENT_USER, kProductKey, kAppFolderValue), "C:\\Elsewhere\\");
}

struct ZOddInputCase {
  const char* name;
  const char* arguments;
  const char* machineFolder;  // replaces the installed "AppFolder"; null keeps it
  long exitCode;
};

class ZUninstallerRefusalTest : public ZUninstallerTest, public ::testing::WithParamInterface<ZOddInputCase> {};

TEST_P(ZUninstallerRefusalTest, RemovesNothing) {
  const ZOddInputCase& c = GetParam();
  if (c.machineFolder) ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue, c.machineFolder);
  EXPECT_EQ(uninstall(c.arguments), c.exitCode);
  if (c.machineFolder) ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue, target);
  expectInstallationUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Uninstaller, ZUninstallerRefusalTest,
    ::testing::Values(ZOddInputCase{"UnknownSwitch", "/quiet /everything", nullptr, 2},
                      ZOddInputCase{"StrayArgument", "/quiet C:\\", nullptr, 2},
                      ZOddInputCase{"DriveRootAsFolder", "/quiet", "C:\\", 4},
                      ZOddInputCase{"RelativeFolder", "/quiet", "Zavotra Pro", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZUninstallerTest, WithoutAnInstallationItSaysSoAndRemovesNothing) {
  ZRegistryValueGuard::Delete(HKEY_LOCAL_MACHINE, kProductKey, kAppFolderValue);
  ZRegistryValueGuard::Delete(HKEY_CURRENT_USER, kProductKey, kAppFolderValue);
  EXPECT_EQ(uninstall("/quiet"), 3);
  EXPECT_TRUE(TempFolder::Exists(target + "Zavotra.exe"));
  EXPECT_EQ(ZRegistryValueGuard::Get(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Zavotra Pro");
}
