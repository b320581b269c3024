// Settings take effect at once: after a profile switch the other profile's
// drawing button, drag sensitivity, sound theme and Run registry value are in
// force, and a change made in a dialog reaches the hook library and the
// profile's file without waiting for the exit.
#include "shell/settings_effects.h"

#include <gtest/gtest.h>

#include "common/settings.h"
#include "gesture/hook_library.h"
#include "shell/profile_commands.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/registry_entries.h"
#include "shell/road_steps.h"
#include "shell/settings_text.h"
#include "shell/startup_steps.h"
#include "sound/event_sounds.h"
#include "tests/shell/shell_test_support.h"
#include "ui/dialog_context.h"

#ifndef ZAVOTRA_QUIET_HOOK_LIBRARY
#error "the test needs a Zavotra.dll that exports nothing"
#endif

namespace {
class SettingsEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    Folders().deriveFrom(install.root());
    // A library that loads and does nothing: the record the program keeps is what counts.
    ASSERT_TRUE(CopyFileA(ZAVOTRA_QUIET_HOOK_LIBRARY, (Folders().system + "Zavotra.dll").c_str(), FALSE));
    for (const char* theme : {"sounds\\Alpha\\", "sounds\\Beta\\"}) CreateDirectoryA((install.root() + theme).c_str(), nullptr);
    WriteFileText(install.root() + "sounds\\Beta\\events", "48\tbeta.wav\n");
    Profiles().reset();
    ProfileHooks() = ZProfileHooks();
    Profiles().setPasswordPrompt(nullptr);
    InstallSettingsEffects();
    ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
    ASSERT_EQ(Profiles().create("Other", ""), ZProfileResult::Done);
    ASSERT_TRUE(WriteEncryptedFile(install.userFolder() + "01\\settings", ProfileDefaultKey(),
                                   "FirstTime\tfalse\r\nDrawButton\t0\r\nDrawingThreshold\t20\r\n"
                                   "SoundTheme\tBeta\r\nRunAtStartup\tfalse\r\n"));
    Settings().soundTheme = "Alpha";
    LoadHookLibrary();
    ASSERT_NE(ActiveHookLibrary(), nullptr);
  }
  void TearDown() override {
    ReleaseHookLibrary();
    ProfileHooks() = ZProfileHooks();
    DialogContext() = ZDialogContext();
    Profiles().reset();
  }
  std::string runValue() const { return ZRegistryValueGuard::Get(HKEY_CURRENT_USER, kRunKey, "Zavotra"); }

  ZTestInstallation install;
  ZRegistryValueGuard run{HKEY_CURRENT_USER, kRunKey, "Zavotra"};
  ZRegistryValueGuard machineFolder{HKEY_LOCAL_MACHINE, kProductKey, "AppFolder"};
  ZRegistryValueGuard appPath{HKEY_LOCAL_MACHINE, kAppPathsKey, ""};
};
}  // namespace

TEST_F(SettingsEffects, AProfileSwitchPutsTheOtherProfilesSettingsInForce) {
  ASSERT_EQ(ActiveHookLibrary()->settings().drawButton, -1);
  ASSERT_TRUE(SwitchToProfile("Other"));
  EXPECT_EQ(ActiveHookLibrary()->settings().drawButton, 0);
  EXPECT_EQ(ActiveHookLibrary()->settings().dragThreshold, 20);
  EXPECT_EQ(EventSounds().themeFolder(), install.root() + "sounds\\Beta\\");
  EXPECT_TRUE(EventSounds().hasEvent(48));
  EXPECT_EQ(runValue(), "<missing>");

  ASSERT_TRUE(SwitchToProfile("Default"));
  EXPECT_EQ(ActiveHookLibrary()->settings().drawButton, -1);
  EXPECT_EQ(ActiveHookLibrary()->settings().dragThreshold, 8);
  EXPECT_EQ(runValue(), "\"" + install.root() + "Zavotra.exe\"");
}

TEST_F(SettingsEffects, AChangeMadeInADialogReachesTheHookLibraryAndIsKeptAtOnce) {
  Settings().drawingThreshold = 33;
  Settings().drawButton = 1;
  Settings().runAtStartup = false;
  NotifySettingsChanged();
  EXPECT_EQ(ActiveHookLibrary()->settings().dragThreshold, 33);
  EXPECT_EQ(ActiveHookLibrary()->settings().drawButton, 1);
  EXPECT_EQ(runValue(), "<missing>");
  const ZSettings kept =
      SettingsFromText(DecryptedText(Profiles().current()->folder + "settings", ProfileDefaultKey()), ZSettings());
  EXPECT_EQ(kept.drawingThreshold, 33);
  EXPECT_EQ(kept.drawButton, 1);
}
