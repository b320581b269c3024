// Profiles on real folders: the first start, choosing the current profile,
// creation and deletion, and the password changes with what they do to the
// profile's files.
#include <gtest/gtest.h>

#include <map>

#include "actions/credential_table.h"
#include "actions/service_list.h"
#include "actions/web_service_hooks.h"
#include "common/cipher_image.h"
#include "common/file_replacement.h"
#include "shell/settings_text.h"
#include "shell/usage_counters.h"

#include "common/file_cipher.h"
#include "common/password_key.h"
#include "shell/password_file.h"
#include "shell/profile_dialogs.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/startup_steps.h"
#include "common/settings.h"
#include "shell_test_support.h"

namespace {
class ProfileSet : public ::testing::Test {
 protected:
  void SetUp() override {
    Folders().deriveFrom(install.root());
    Profiles().reset();
    ProfileHooks() = ZProfileHooks();
    Profiles().setPasswordPrompt(nullptr);  // a test that needs one sets its own
  }
  void TearDown() override {
    Profiles().reset();
    Profiles().setPasswordPrompt(nullptr);
  }
  std::string folder(const char* number) const { return install.userFolder() + number + "\\"; }

  ZTestInstallation install;
};

// A prompt that "types" a password once and reports Cancel after that.
ZProfileSet::PasswordPrompt Typing(std::vector<std::string> attempts, int* asked) {
  return [attempts, asked](const ZProfile&, const std::string& passwordFile, ZKeyBlock& key) mutable {
    while (!attempts.empty()) {
      const std::string typed = attempts.front();
      attempts.erase(attempts.begin());
      ++*asked;
      if (CheckPasswordFile(passwordFile, DeriveKey(typed.c_str()), key)) return true;
    }
    return false;
  };
}
}  // namespace

TEST_F(ProfileSet, FirstStartCreatesTheUserFolderAndDefaultFromTheSkeleton) {
  ASSERT_FALSE(Exists(install.userFolder()));
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  ASSERT_EQ(Profiles().profiles().size(), 1u);
  ASSERT_NE(Profiles().current(), nullptr);
  EXPECT_EQ(Profiles().current()->name, "Default");
  EXPECT_EQ(Profiles().current()->folder, folder("00"));
  EXPECT_EQ(FileText(folder("00") + "name"), "Default");
  EXPECT_EQ(FileText(folder("00") + "plug-ins\\common.ztc"), FileText(install.root() + "skel\\plug-ins\\common.ztc"));
  EXPECT_TRUE(Exists(folder("00") + "symbols\\circle.zts"));
  EXPECT_FALSE(Exists(folder("00") + "Dummy"));
  EXPECT_EQ(Folders().profilePlugins, folder("00") + "plug-ins\\");
  EXPECT_EQ(Folders().profileSymbols, folder("00") + "symbols\\");
  EXPECT_TRUE(Settings().firstTime);

  Profiles().saveCurrent();
  EXPECT_EQ(FileText(install.userFolder() + "current"), "Default");
  EXPECT_NE(DecryptedText(folder("00") + "settings", ProfileDefaultKey()).find("FirstTime\tfalse\r\n"),
            std::string::npos);
}

TEST_F(ProfileSet, CreatingTwoProfilesGivesTheNextFreeFoldersAndCopiesTheSource) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  WriteFileText(folder("00") + "plug-ins\\mine.zta", "only in Default");
  ASSERT_EQ(Profiles().create("Work", ""), ZProfileResult::Done);
  ASSERT_EQ(Profiles().create("Home", "Default"), ZProfileResult::Done);
  ASSERT_EQ(Profiles().profiles().size(), 3u);
  EXPECT_EQ(Profiles().profiles()[1].folder, folder("01"));
  EXPECT_EQ(Profiles().profiles()[2].folder, folder("02"));
  EXPECT_EQ(FileText(folder("01") + "name"), "Work");
  EXPECT_EQ(FileText(folder("02") + "name"), "Home");
  EXPECT_FALSE(Exists(folder("01") + "plug-ins\\mine.zta"));  // from the skeleton
  EXPECT_EQ(FileText(folder("02") + "plug-ins\\mine.zta"), "only in Default");
  EXPECT_EQ(Profiles().current()->name, "Default");  // creation does not switch

  // A gap left by a deleted profile is used again.
  ASSERT_EQ(Profiles().remove("Work"), ZProfileResult::Done);
  EXPECT_FALSE(Exists(folder("01")));
  ASSERT_EQ(Profiles().create("Again", ""), ZProfileResult::Done);
  EXPECT_EQ(Profiles().profiles().back().folder, folder("01"));
}

TEST_F(ProfileSet, TheCurrentFileChoosesTheProfileAndAMissingNameFallsBackToTheFirst) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  ASSERT_EQ(Profiles().create("Second", ""), ZProfileResult::Done);
  ASSERT_EQ(Profiles().selectByName("Second"), ZProfileResult::Done);
  Settings().windowX = 77;
  Profiles().saveCurrent();

  Profiles().reset();
  Settings() = ZSettings();
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  EXPECT_EQ(Profiles().current()->name, "Second");
  EXPECT_EQ(Settings().windowX, 77);

  WriteFileText(install.userFolder() + "current", "Gone");
  Profiles().reset();
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  EXPECT_EQ(Profiles().current()->name, "Default");
}

TEST_F(ProfileSet, AFolderWithoutANameIsNoProfile) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  CreateDirectoryA(folder("07").c_str(), nullptr);
  Profiles().reset();
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  EXPECT_EQ(Profiles().profiles().size(), 1u);
}

TEST_F(ProfileSet, TheCurrentProfileCannotBeDeleted) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  EXPECT_EQ(Profiles().remove("Default"), ZProfileResult::Unchanged);
  EXPECT_TRUE(Exists(folder("00") + "name"));
  EXPECT_EQ(Profiles().remove("Nobody"), ZProfileResult::NotFound);
}

TEST_F(ProfileSet, SwitchingSavesTheProfileLeftAndLoadsTheOneChosen) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  ASSERT_EQ(Profiles().create("Other", ""), ZProfileResult::Done);
  Settings().drawButton = 1;
  std::string symbolsLoaded;
  ProfileHooks().loadProfileSymbols = [&](const std::string& folder) { symbolsLoaded = folder; };
  ASSERT_EQ(Profiles().selectByName("Other"), ZProfileResult::Done);
  EXPECT_EQ(Settings().drawButton, -1);  // Other's own (default) settings
  EXPECT_EQ(symbolsLoaded, folder("01") + "symbols\\");
  ASSERT_EQ(Profiles().selectByName("Default"), ZProfileResult::Done);
  EXPECT_EQ(Settings().drawButton, 1);
  EXPECT_EQ(Profiles().selectByName("Default"), ZProfileResult::Unchanged);
}

TEST_F(ProfileSet, PasswordOnAndOffLeavesPlainFilesAsTheyWereAndIdsIntact) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  Profiles().saveCurrent();
  const std::string base = folder("00");
  const std::string plugin = base + "plug-ins\\common.ztc", symbol = base + "symbols\\circle.zts";
  const std::string pluginBefore = FileText(plugin), symbolBefore = FileText(symbol);
  const std::string ids = "1\tsite\tuser\tpass\n2\tother\n";
  ASSERT_TRUE(WriteEncryptedFile(base + "ids", ProfileKey(), ids));
  const std::string settingsBefore = DecryptedText(base + "settings", ProfileDefaultKey());

  const ZKeyBlock first = DeriveKey("first secret");
  ASSERT_TRUE(Profiles().changePassword(first));
  EXPECT_TRUE(Exists(base + "pf"));
  EXPECT_NE(FileText(plugin), pluginBefore);
  EXPECT_NE(FileText(symbol), symbolBefore);
  EXPECT_EQ(DecryptedText(plugin, first), pluginBefore);
  EXPECT_EQ(DecryptedText(base + "ids", first), ids);
  EXPECT_EQ(DecryptedText(base + "settings", first), settingsBefore);
  EXPECT_TRUE(ProfileKey().sameBytes(first));
  EXPECT_EQ(ProfileKey().usedLength(), 16u);

  const ZKeyBlock second = DeriveKey("second");
  ASSERT_TRUE(Profiles().changePassword(second));
  EXPECT_EQ(DecryptedText(symbol, second), symbolBefore);
  EXPECT_EQ(DecryptedText(base + "ids", second), ids);
  ZKeyBlock accepted;
  EXPECT_TRUE(CheckPasswordFile(base + "pf", second, accepted));
  EXPECT_FALSE(CheckPasswordFile(base + "pf", first, accepted));

  ASSERT_TRUE(Profiles().changePassword(DeriveKey("")));
  EXPECT_FALSE(Exists(base + "pf"));
  EXPECT_EQ(FileText(plugin), pluginBefore);
  EXPECT_EQ(FileText(symbol), symbolBefore);
  EXPECT_EQ(DecryptedText(base + "ids", ProfileDefaultKey()), ids);
  EXPECT_EQ(DecryptedText(base + "stsl", ProfileDefaultKey()), "");

  // Saving never touches "ids" while its format has no reader.
  Profiles().saveCurrent();
  EXPECT_EQ(DecryptedText(base + "ids", ProfileDefaultKey()), ids);
}

TEST_F(ProfileSet, CredentialsOpenWithTheProfileAndKeepTheirEntriesThroughAPasswordChange) {
  InstallWebServiceHooks();
  const std::string ids = "30\t1\tme\tpw\n";
  ASSERT_TRUE(WriteEncryptedFile(install.root() + "skel\\ids", ProfileDefaultKey(), ids));
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  ASSERT_NE(Credentials().find(30), nullptr);
  EXPECT_EQ(Credentials().find(30)->front().password, "pw");

  const std::string base = folder("00");
  const ZKeyBlock key = DeriveKey("credentials");
  ASSERT_TRUE(Profiles().changePassword(key));
  EXPECT_EQ(DecryptedText(base + "ids", key), ids);
  Credentials().replace(31, {"new", "entry"});
  Profiles().saveCurrent();
  EXPECT_EQ(DecryptedText(base + "ids", key), ids + "31\t1\tnew\tentry\n");
  Credentials().clear();
  Profiles().saveCurrent();  // the table in memory is what the profile holds
  EXPECT_FALSE(Exists(base + "ids"));
  WebServiceHooks() = ZWebServiceHooks();
}

TEST_F(ProfileSet, TheWebSiteListLoadsFromTheSystemFolderWithTheServiceKey) {
  CreateDirectoryA(Folders().system.c_str(), nullptr);
  const std::string list = "21\t1\t0\t0\t0\t0\t0\tNews\tNachrichten\thttp://news.example/\tTAB;\r\n";
  ASSERT_TRUE(WriteEncryptedFile(Folders().system + "weblist", DefaultKey().withUsedLength(ZKeyBlock::kServiceLength), list));
  LoadWebSiteList(Folders().system);
  ASSERT_EQ(WebServices().services().size(), 1u);
  EXPECT_EQ(WebServices().find(21)->t3, "TAB;");
  // A list that is gone leaves none: a reload clears the one before.
  DeleteFileA((Folders().system + "weblist").c_str());
  LoadWebSiteList(Folders().system);
  EXPECT_TRUE(WebServices().services().empty());
}

TEST_F(ProfileSet, AnUnreadableIdsIsNotOverwrittenByTheProfilesSave) {
  InstallWebServiceHooks();
  const std::string damaged = "not in the encrypted form";
  std::string skeleton = install.root() + "skel\\ids";
  ASSERT_TRUE(WriteFileText(skeleton, damaged));
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  EXPECT_TRUE(Credentials().entries().empty());
  Profiles().saveCurrent();
  EXPECT_EQ(FileText(folder("00") + "ids"), damaged);
  WebServiceHooks() = ZWebServiceHooks();
}

TEST_F(ProfileSet, AProtectedProfileOpensOnlyWithItsPassword) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  ASSERT_EQ(Profiles().create("Locked", ""), ZProfileResult::Done);
  ASSERT_EQ(Profiles().selectByName("Locked"), ZProfileResult::Done);
  ASSERT_TRUE(Profiles().changePassword(DeriveKey("open sesame")));
  Settings().deviceType = 4;
  Profiles().saveCurrent();

  int asked = 0;
  Profiles().reset();
  Profiles().setPasswordPrompt(Typing({"wrong", "open sesame"}, &asked));
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Profiles().current()->name, "Locked");
  EXPECT_EQ(Settings().deviceType, 4);
  EXPECT_TRUE(ProfileKey().sameBytes(DeriveKey("open sesame")));

  // Given up: nothing of the locked profile is loaded and the other stays current.
  asked = 0;
  ASSERT_EQ(Profiles().selectByName("Default"), ZProfileResult::Done);
  Settings().deviceType = 9;
  Profiles().setPasswordPrompt(Typing({"nope"}, &asked));
  EXPECT_EQ(Profiles().selectByName("Locked"), ZProfileResult::BadPassword);
  EXPECT_EQ(Profiles().current()->name, "Default");
  EXPECT_EQ(Settings().deviceType, 9);
  EXPECT_TRUE(ProfileKey().sameBytes(DefaultKey()));

  // At start-up the refusal is reported to the caller.
  WriteFileText(install.userFolder() + "current", "Locked");
  Profiles().reset();
  EXPECT_EQ(Profiles().open(), ZProfileResult::BadPassword);
  EXPECT_EQ(Profiles().current(), nullptr);
}

TEST(ProfileEditorRules, OkNeedsANameOfThreeAndAMatchingPasswordOfThreeWhenProtected) {
  struct Case { const char* name; bool protect; const char* password; const char* confirmation; bool ok; };
  const Case cases[] = {
      {"Bob", false, "", "", true},
      {"Bo", false, "", "", false},
      {"Bob", true, "abc", "abc", true},
      {"Bob", true, "ab", "ab", false},
      {"Bob", true, "abc", "abd", false},
      {"Bob", false, "x", "y", true},  // the password fields count only when ticked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZProfileEditorInput input;
    input.name = c.name;
    input.passwordProtected = c.protect;
    input.password = c.password;
    input.confirmation = c.confirmation;
    EXPECT_EQ(ProfileEditorInputIsValid(input), c.ok);
  }
}

namespace {
// Every file a password change touches, with its bytes ("<missing>" when absent).
std::map<std::string, std::string> ProfileFiles(const std::string& base) {
  std::map<std::string, std::string> files;
  for (const char* name : {"plug-ins\\common.ztc", "plug-ins\\app.zta", "symbols\\circle.zts", "settings", "stpl",
                           "stsl", "stsv", "ids", "pf"}) {
    std::string text;
    files[name] = ReadFileText(base + name, text) ? text : "<missing>";
  }
  return files;
}

// Names of the temporary files of saves anywhere in the profile.
int SaveTemporaries(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += SaveTemporaries(folder + name + "\\");
    else if (name.compare(0, 3, "~zv") == 0) ++count;
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return count;
}
}  // namespace

TEST_F(ProfileSet, APasswordChangeThatFailsPartWayLeavesEveryFileAsItWasUnderTheOldKey) {
  enum class Hold { FromTheStart, WhenItIsReplaced };
  const struct {
    const char* name;
    const char* before;  // password in force before ("" none)
    const char* after;   // password asked for
  } changes[] = {{"set", "", "new one"}, {"change", "old one", "new one"}, {"remove", "old one", ""}};
  for (const auto& change : changes) {
    for (Hold hold : {Hold::FromTheStart, Hold::WhenItIsReplaced}) {
      SCOPED_TRACE(std::string(change.name) + (hold == Hold::FromTheStart ? ", held from the start" : ", held when replaced"));
      ZTestInstallation here;
      Folders().deriveFrom(here.root());
      Profiles().reset();
      ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
      const std::string base = here.userFolder() + "00\\";
      Settings().windowX = 123;
      for (ZUsageCounters* table : {&PluginCounters(), &SymbolCounters(), &ServiceCounters()}) table->count(5);
      Profiles().saveCurrent();
      ASSERT_TRUE(WriteEncryptedFile(base + "ids", ProfileKey(), "1\tsite\tuser\tpass\n"));
      if (*change.before) {
        ASSERT_TRUE(Profiles().changePassword(DeriveKey(change.before)));
      }
      const ZKeyBlock oldKey = ProfileKey();
      const auto before = ProfileFiles(base);

      // Another program has "stsl" open without sharing it, or opens it for
      // reading just as it is about to be replaced.
      const std::string held = base + "stsl";
      HANDLE holder = INVALID_HANDLE_VALUE;
      if (hold == Hold::FromTheStart) {
        holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
      } else {
        SaveConditions().beforeReplace = [&](const std::string& target) {
          if (target == held) holder = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        };
      }
      EXPECT_FALSE(Profiles().changePassword(DeriveKey(change.after)));
      SaveConditions() = ZSaveConditions();
      if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);

      EXPECT_EQ(ProfileFiles(base), before);
      EXPECT_TRUE(ProfileKey().sameBytes(oldKey));
      EXPECT_EQ(SaveTemporaries(base), 0);
      EXPECT_EQ(DecryptedText(base + "ids", oldKey), "1\tsite\tuser\tpass\n");
      EXPECT_EQ(SettingsFromText(DecryptedText(base + "settings", oldKey), ZSettings()).windowX, 123);
      ZKeyBlock accepted;
      EXPECT_EQ(Exists(base + "pf") && CheckPasswordFile(base + "pf", oldKey, accepted), *change.before != '\0');

      // Once the other program lets go, the change goes through.
      EXPECT_TRUE(Profiles().changePassword(DeriveKey(change.after)));
      EXPECT_EQ(DecryptedText(base + "ids", ProfileKey()), "1\tsite\tuser\tpass\n");
      Profiles().reset();
    }
  }
}

TEST_F(ProfileSet, SettingThePasswordDoesNotEncryptAgainAFileAlreadyUnderIt) {
  ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
  const ZKeyBlock key = DeriveKey("the password");
  // A plug-in copied from a profile with the same password, still encrypted.
  const std::string plain = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + " the rest of a compound file";
  std::vector<uint8_t> image;
  ASSERT_TRUE(EncryptImage(reinterpret_cast<const uint8_t*>(plain.data()), plain.size(), key, image));
  const std::string copied = folder("00") + "plug-ins\\copied.zta";
  WriteFileText(copied, std::string(image.begin(), image.end()));
  const std::string other = folder("00") + "plug-ins\\app.zta";
  const std::string otherBefore = FileText(other);

  ASSERT_TRUE(Profiles().changePassword(key));
  EXPECT_EQ(DecryptedText(copied, key), plain);
  EXPECT_EQ(DecryptedText(other, key), otherBefore);
  ASSERT_TRUE(Profiles().changePassword(DeriveKey("")));
  EXPECT_EQ(FileText(copied), plain);
  EXPECT_EQ(FileText(other), otherBefore);
}
