// Dialog 309 driven from a second thread like a user would: a wrong password
// keeps it open, the right one closes it, Cancel gives up.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/password_key.h"
#include "resources/zavotra_ids.h"
#include "shell/password_file.h"
#include "shell/profile_dialogs.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/usage_counters.h"
#include "shell_test_support.h"

namespace {
HWND WaitForPasswordDialog() {
  for (int i = 0; i < 1000; ++i) {
    HWND found = FindWindowA("#32770", "Zavotra");
    if (found && GetDlgItem(found, IDC_PASSWORD_EDIT)) return found;
    Sleep(10);
  }
  return nullptr;
}

void Type(HWND dialog, const char* text) {
  SendDlgItemMessageA(dialog, IDC_PASSWORD_EDIT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::string PromptText(HWND dialog) {
  char text[256] = {};
  GetDlgItemTextA(dialog, IDC_PASSWORD_PROMPT, text, sizeof text);
  return text;
}

class PasswordDialog : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WritePasswordFile(passwordFile, DeriveKey("right one"))); }
  ZTestInstallation install;
  std::string passwordFile = install.root() + "pf";
};
}  // namespace

TEST_F(PasswordDialog, AWrongPasswordKeepsItOpenAndTheRightOneIsAccepted) {
  std::atomic<bool> stillOpenAfterWrong{false};
  std::string prompt, editAfterWrong = "unset";
  std::thread user([&] {
    HWND dialog = WaitForPasswordDialog();
    if (!dialog) return;
    prompt = PromptText(dialog);
    Type(dialog, "wrong");
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    Sleep(200);
    stillOpenAfterWrong = IsWindow(dialog) && IsWindowVisible(dialog);
    char edit[64] = {};
    GetDlgItemTextA(dialog, IDC_PASSWORD_EDIT, edit, sizeof edit);
    editAfterWrong = edit;
    Type(dialog, "right one");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ZKeyBlock key;
  const bool accepted = AskProfilePassword(nullptr, "Family", passwordFile, key);
  user.join();
  EXPECT_EQ(prompt, "Please enter the password for Family :");
  EXPECT_TRUE(stillOpenAfterWrong);
  EXPECT_EQ(editAfterWrong, "");
  ASSERT_TRUE(accepted);
  EXPECT_TRUE(key.sameBytes(DeriveKey("right one")));
  EXPECT_EQ(key.usedLength(), 16u);
}

TEST_F(PasswordDialog, CancelAtStartUpRefusesTheProtectedProfile) {
  Folders().deriveFrom(install.root());
  Profiles().reset();
  ProfileHooks() = ZProfileHooks();
  Profiles().setPasswordPrompt(nullptr);
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  ASSERT_TRUE(Profiles().changePassword(DeriveKey("right one")));
  Profiles().reset();
  // The program's own prompt: dialog 309.
  Profiles().setPasswordPrompt([](const ZProfile& profile, const std::string& file, ZKeyBlock& key) {
    return AskProfilePassword(nullptr, profile.name, file, key);
  });
  std::atomic<bool> sawDialog{false};
  std::thread user([&] {
    HWND dialog = WaitForPasswordDialog();
    if (!dialog) return;
    sawDialog = true;
    Type(dialog, "not it");
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  const ZProfileResult result = Profiles().open();
  user.join();
  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(result, ZProfileResult::BadPassword);
  EXPECT_EQ(Profiles().current(), nullptr);
  Profiles().reset();
}

namespace {
HWND WaitForDialogWith(const char* caption, int controlId) {
  for (int i = 0; i < 1000; ++i) {
    HWND found = FindWindowA("#32770", caption);
    if (found && GetDlgItem(found, controlId) && IsWindowVisible(found)) return found;
    Sleep(10);
  }
  return nullptr;
}

void SetText(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

class ProfileDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    Folders().deriveFrom(install.root());
    Profiles().reset();
    ProfileHooks() = ZProfileHooks();
    ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  }
  void TearDown() override { Profiles().reset(); }
  ZTestInstallation install;
};
}  // namespace

TEST_F(ProfileDialogs, TheEditorCreatesAndSelectsTheProfileOnceItsFieldsAreValid) {
  int reloaded = 0;
  ProfileHooks().reloadActivePlugins = [&] { ++reloaded; };
  struct Seen { bool okWithShortName = true, okWithName = false, okWithTakenName = true, okWithMismatch = true; } seen;
  std::thread user([&] {
    HWND dialog = WaitForDialogWith("Profile Editor", IDC_PROFILE_NAME);
    if (!dialog) return;
    SetText(dialog, IDC_PROFILE_NAME, "Jo");
    seen.okWithShortName = Enabled(dialog, IDOK);
    SetText(dialog, IDC_PROFILE_NAME, "Default");
    seen.okWithTakenName = Enabled(dialog, IDOK);
    SetText(dialog, IDC_PROFILE_NAME, "Joe");
    seen.okWithName = Enabled(dialog, IDOK);
    CheckDlgButton(dialog, IDC_PROFILE_PROTECTED, BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROFILE_PROTECTED, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PROFILE_PROTECTED)));
    SetText(dialog, IDC_PROFILE_PASSWORD, "pass");
    SetText(dialog, IDC_PROFILE_CONFIRMATION, "pasz");
    seen.okWithMismatch = Enabled(dialog, IDOK);
    SetText(dialog, IDC_PROFILE_CONFIRMATION, "pass");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const bool created = RunProfileEditor(nullptr);
  user.join();
  EXPECT_FALSE(seen.okWithShortName);
  EXPECT_FALSE(seen.okWithTakenName);
  EXPECT_TRUE(seen.okWithName);
  EXPECT_FALSE(seen.okWithMismatch);
  ASSERT_TRUE(created);
  ASSERT_NE(Profiles().current(), nullptr);
  EXPECT_EQ(Profiles().current()->name, "Joe");
  EXPECT_EQ(Profiles().current()->folder, install.userFolder() + "01\\");
  EXPECT_TRUE(ProfileKey().sameBytes(DeriveKey("pass")));
  EXPECT_TRUE(Exists(install.userFolder() + "01\\pf"));
  EXPECT_EQ(reloaded, 1);
}

TEST_F(ProfileDialogs, ChangePasswordUnlocksTheNewFieldsOnlyWithTheCurrentPassword) {
  ASSERT_TRUE(Profiles().changePassword(DeriveKey("old one")));
  struct Seen { bool newBeforeUnlock = true, newAfterUnlock = false, okSame = true, okNew = false; } seen;
  std::thread user([&] {
    HWND dialog = WaitForDialogWith("Change Password", IDC_NEW_PASSWORD);
    if (!dialog) return;
    seen.newBeforeUnlock = Enabled(dialog, IDC_NEW_PASSWORD);
    SetText(dialog, IDC_CURRENT_PASSWORD, "old one");
    seen.newAfterUnlock = Enabled(dialog, IDC_NEW_PASSWORD);
    SetText(dialog, IDC_NEW_PASSWORD, "old one");
    SetText(dialog, IDC_NEW_CONFIRMATION, "old one");
    seen.okSame = Enabled(dialog, IDOK);  // the same key is no change
    SetText(dialog, IDC_NEW_PASSWORD, "");
    SetText(dialog, IDC_NEW_CONFIRMATION, "");
    seen.okNew = Enabled(dialog, IDOK);   // empty: remove the password
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const bool changed = RunChangePassword(nullptr);
  user.join();
  EXPECT_FALSE(seen.newBeforeUnlock);
  EXPECT_TRUE(seen.newAfterUnlock);
  EXPECT_FALSE(seen.okSame);
  EXPECT_TRUE(seen.okNew);
  ASSERT_TRUE(changed);
  EXPECT_FALSE(Exists(install.userFolder() + "00\\pf"));
  EXPECT_TRUE(ProfileKey().sameBytes(DefaultKey()));
}

TEST_F(ProfileDialogs, TheChooserStaysOpenOnARefusedPasswordAndSelectsTheChosenProfile) {
  ASSERT_EQ(Profiles().create("Locked", ""), ZProfileResult::Done);
  ASSERT_EQ(Profiles().selectByName("Locked"), ZProfileResult::Done);
  ASSERT_TRUE(Profiles().changePassword(DeriveKey("secret")));
  Profiles().saveCurrent();
  Profiles().reset();
  Profiles().setPasswordPrompt([](const ZProfile&, const std::string&, ZKeyBlock&) { return false; });
  ASSERT_EQ(Profiles().open(), ZProfileResult::BadPassword);

  struct Seen { bool okBeforeChoice = true, openAfterRefusal = false; } seen;
  std::thread user([&] {
    HWND dialog = WaitForDialogWith("Zavotra", IDC_PROFILE_LIST);
    if (!dialog) return;
    HWND list = GetDlgItem(dialog, IDC_PROFILE_LIST);
    seen.okBeforeChoice = Enabled(dialog, IDOK);
    auto choose = [&](const char* name) {
      const LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
      SendMessageA(list, CB_SETCURSEL, index, 0);
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROFILE_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    };
    choose("Locked");
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    seen.openAfterRefusal = IsWindow(dialog) && IsWindowVisible(dialog);
    choose("Default");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const bool chosen = ChooseProfile(nullptr);
  user.join();
  EXPECT_FALSE(seen.okBeforeChoice);
  EXPECT_TRUE(seen.openAfterRefusal);
  ASSERT_TRUE(chosen);
  ASSERT_NE(Profiles().current(), nullptr);
  EXPECT_EQ(Profiles().current()->name, "Default");
  Profiles().setPasswordPrompt(nullptr);
}

TEST_F(ProfileDialogs, APasswordChangeThatCannotBeMadeIsReportedAndChangesNothing) {
  SymbolCounters().count(3);
  Profiles().saveCurrent();
  const std::string counters = install.userFolder() + "00\\stsl";
  // Another program has the file open without sharing it.
  HANDLE holder = CreateFileA(counters.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::string reported;
  std::thread user([&] {
    HWND dialog = WaitForDialogWith("Change Password", IDC_NEW_PASSWORD);
    if (!dialog) return;
    SetText(dialog, IDC_NEW_PASSWORD, "wanted");
    SetText(dialog, IDC_NEW_CONFIRMATION, "wanted");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND box = WaitForDialogWith("Zavotra", 0xFFFF);  // a message box's text
    if (!box) return;
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    reported = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  const bool changed = RunChangePassword(nullptr);
  user.join();
  CloseHandle(holder);
  EXPECT_FALSE(changed);
  EXPECT_NE(reported.find("The password could not be changed"), std::string::npos) << reported;
  EXPECT_TRUE(IsDefaultKey(ProfileKey()));
  EXPECT_FALSE(Exists(install.userFolder() + "00\\pf"));
  EXPECT_EQ(FileText(install.userFolder() + "00\\plug-ins\\app.zta"), "an application plug-in, 33 bytes");
}
