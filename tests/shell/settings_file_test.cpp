// The settings and counter files on disk: always encrypted, defaults for
// anything unreadable, the text form intact through the cipher.
#include <gtest/gtest.h>

#include "common/password_key.h"
#include "shell/settings_file.h"
#include "shell/settings_text.h"
#include "shell_test_support.h"

namespace {
class SettingsFile : public ::testing::Test {
 protected:
  std::string path() const { return install.root() + "settings"; }
  ZTestInstallation install;
  ZKeyBlock key = ProfileDefaultKey();
};

int64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<int64_t>((uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime);
}
}  // namespace

TEST_F(SettingsFile, RoundTripsEncryptedAndSavingClearsFirstTime) {
  ZSettings written = DefaultSettings();
  EXPECT_TRUE(written.firstTime);
  written.windowX = 120;
  written.exeFolder = "C:\\tools\\";
  written.runAtStartup = false;
  ASSERT_TRUE(SaveSettings(path(), key, written));
  EXPECT_FALSE(written.firstTime);

  const std::string raw = FileText(path());
  EXPECT_EQ(raw.find("FirstTime"), std::string::npos) << "the file must not be plain";
  EXPECT_EQ(DecryptedText(path(), key), SettingsToText(written));

  ZSettings read;
  LoadSettings(path(), key, read);
  EXPECT_FALSE(read.firstTime);
  EXPECT_EQ(read.windowX, 120);
  EXPECT_EQ(read.windowY, 2147483647);
  EXPECT_EQ(read.exeFolder, "C:\\tools\\");
  EXPECT_FALSE(read.runAtStartup);
  EXPECT_EQ(read.ncx, written.ncx);
}

TEST_F(SettingsFile, UnreadableFilesGiveEveryDefault) {
  struct Case { const char* what; std::function<void(const std::string&)> make; };
  const Case cases[] = {
      {"missing", [](const std::string&) {}},
      {"empty", [](const std::string& p) { WriteFileText(p, ""); }},
      {"plain text", [](const std::string& p) { WriteFileText(p, "FirstTime\tfalse\r\nWindowX\t5\r\n"); }},
      {"other key", [](const std::string& p) {
         WriteEncryptedFile(p, DeriveKey("someone else"), "FirstTime\tfalse\r\nWindowX\t5\r\n");
       }},
      {"encrypted empty text", [](const std::string& p) { WriteEncryptedFile(p, ProfileDefaultKey(), "\r\n"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileA(path().c_str());
    c.make(path());
    ZSettings read;
    read.firstTime = false;
    read.windowX = 1;
    read.soundTheme = "stale";
    const int64_t before = Now();
    LoadSettings(path(), key, read);
    EXPECT_TRUE(read.firstTime);
    EXPECT_EQ(read.windowX, 2147483647);
    EXPECT_EQ(read.soundTheme, "English Female Voice");
    EXPECT_GE(read.ncx, before);
    EXPECT_LE(read.ncx, Now());
  }
}

TEST_F(SettingsFile, KeysInOtherCapitalsAndBoolsInCapitalsKeepTheirDefaults) {
  ASSERT_TRUE(WriteEncryptedFile(path(), key,
                                 "autohide\tfalse\r\nFirstTime\tTRUE\r\nPlaySounds\tFalse\r\n"
                                 "soundtheme\tX\r\nStartHidden\tfalse\r\n"));
  ZSettings read;
  LoadSettings(path(), key, read);
  EXPECT_TRUE(read.autoHide);
  EXPECT_TRUE(read.firstTime);
  EXPECT_TRUE(read.playSounds);
  EXPECT_EQ(read.soundTheme, "English Female Voice");
  EXPECT_FALSE(read.startHidden);  // the one well-formed line is taken
}

TEST_F(SettingsFile, CountersRoundTripInAscendingKeyOrder) {
  ZUsageCounters table;
  table.count(40);
  table.count(-1);
  table.count(7);
  table.count(7);
  ASSERT_TRUE(SaveCounters(path(), key, table));
  EXPECT_EQ(DecryptedText(path(), key), "-1\t1\t1\r\n7\t2\t2\r\n40\t1\t1\r\n");
  ZUsageCounters read;
  read.count(99);
  LoadCounters(path(), key, read);
  EXPECT_EQ(read.entries(), table.entries());

  // Nothing counted yet: an empty file that reads back as an empty table.
  ASSERT_TRUE(SaveCounters(path(), key, ZUsageCounters()));
  LoadCounters(path(), key, read);
  EXPECT_TRUE(read.entries().empty());
}
