// OpenUrl against handlers registered under HKEY_CLASSES_ROOT of the test
// prefix. The handler, record_args.exe, writes the parameters it receives to
// a file; the registrations found before the test are restored after it.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/open_url.h"
#include "common/registry_key.h"
#include "tests/system/test_folder.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

std::string Recorder() { return ProgramFolder() + "\\record_args.exe"; }

// Registers a handler command for a scheme and puts back what was there.
class ScopedHandler {
 public:
  ScopedHandler(const std::string& scheme, const std::string& command, DWORD type = REG_SZ)
      : scheme_(scheme), path_(scheme + "\\shell\\open\\command") {
    ZRegistryKey existingScheme;
    schemeExisted_ = existingScheme.open(HKEY_CLASSES_ROOT, scheme.c_str());
    ZRegistryKey existing;
    if (existing.open(HKEY_CLASSES_ROOT, path_.c_str())) {
      DWORD size = 0;
      if (RegQueryValueExA(existing.get(), nullptr, nullptr, &oldType_, nullptr, &size) == ERROR_SUCCESS) {
        oldValue_.resize(size);
        hadValue_ = RegQueryValueExA(existing.get(), nullptr, nullptr, &oldType_, oldValue_.data(), &size) ==
                    ERROR_SUCCESS;
      }
    }
    ZRegistryKey key;
    if (key.create(HKEY_CLASSES_ROOT, path_.c_str())) {
      registered_ = RegSetValueExA(key.get(), nullptr, 0, type, reinterpret_cast<const BYTE*>(command.c_str()),
                                   static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
    }
  }
  ~ScopedHandler() {
    if (!schemeExisted_) {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, scheme_.c_str());
      return;
    }
    ZRegistryKey key;
    if (!key.open(HKEY_CLASSES_ROOT, path_.c_str(), KEY_SET_VALUE)) return;
    if (hadValue_) {
      RegSetValueExA(key.get(), nullptr, 0, oldType_, oldValue_.data(), static_cast<DWORD>(oldValue_.size()));
    } else {
      RegDeleteValueA(key.get(), nullptr);
    }
  }
  bool registered() const { return registered_; }

 private:
  std::string scheme_, path_;
  bool schemeExisted_ = false, hadValue_ = false, registered_ = false;
  DWORD oldType_ = REG_SZ;
  std::vector<BYTE> oldValue_;
};

class OpenUrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = folder_ / "record.txt";
    SetEnvironmentVariableA("ZAVOTRA_RECORD_FILE", record_.c_str());
    ASSERT_TRUE(Exists(Recorder())) << Recorder();
  }

  // Waits for the handler's record and returns it; empty after 15 s.
  std::string Recorded() {
    for (int i = 0; i < 300 && !Exists(record_); ++i) Sleep(50);
    std::string text = ReadTestFile(record_);
    DeleteFileA(record_.c_str());
    return text;
  }

  TestFolder folder_{"open_url_test"};
  std::string record_;
};

TEST_F(OpenUrlTest, TextsWithoutSchemeChooseTheHandlerByTheirShape) {
  ScopedHandler http("http", "\"" + Recorder() + "\" -url \"%1\"");
  ScopedHandler ftp("ftp", Recorder() + " -ftp %1");  // unquoted program
  ScopedHandler mailto("mailto", "\"" + Recorder() + "\" -mail");  // no placeholder
  ASSERT_TRUE(http.registered() && ftp.registered() && mailto.registered());

  struct Case {
    std::string text, parameters;
  } cases[] = {
      {"www.example.com", "-url \"www.example.com\""},
      {"WWW.Example.com/page", "-url \"WWW.Example.com/page\""},
      {"ftp.example.com", "-ftp ftp.example.com"},
      {"someone@example.com", "-mail someone@example.com"},
      {"example.org", "-url \"example.org\""},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(OpenUrl(c.text)) << c.text;
    EXPECT_EQ(Recorded(), c.parameters) << c.text;
  }
}

TEST_F(OpenUrlTest, AnExplicitSchemeWinsOverTheShapeOfTheText) {
  ScopedHandler http("http", "\"" + Recorder() + "\" -url %1");
  ScopedHandler mailto("mailto", "\"" + Recorder() + "\" -mail %1");
  ASSERT_TRUE(http.registered() && mailto.registered());
  EXPECT_EQ(UrlSchemeOf("http://user@example.com/"), "http");
  EXPECT_TRUE(OpenUrl("http://user@example.com/"));
  EXPECT_EQ(Recorded(), "-url http://user@example.com/");
  EXPECT_EQ(UrlSchemeOf("ftp://www.example.com/"), "ftp");
  EXPECT_EQ(UrlSchemeOf("mailto:someone@example.com"), "mailto");
  EXPECT_TRUE(OpenUrl("mailto:someone@example.com"));
  EXPECT_EQ(Recorded(), "-mail mailto:someone@example.com");
}

TEST_F(OpenUrlTest, AnExistingFileUsesTheFileHandler) {
  ScopedHandler file("file", "\"" + Recorder() + "\" \"%1\"");
  ASSERT_TRUE(file.registered());
  std::string document = folder_ / "www.notes@home.txt";  // would look like a web or mail address
  WriteTestFile(document, "notes");
  EXPECT_EQ(UrlSchemeOf(document), "file");
  EXPECT_TRUE(OpenUrl(document));
  EXPECT_EQ(Recorded(), "\"" + document + "\"");
}

TEST_F(OpenUrlTest, AnExpandableCommandIsExpanded) {
  SetEnvironmentVariableA("ZAVOTRA_HANDLER_FOLDER", ProgramFolder().c_str());
  ScopedHandler http("http", "\"%ZAVOTRA_HANDLER_FOLDER%\\record_args.exe\" %1", REG_EXPAND_SZ);
  ASSERT_TRUE(http.registered());
  EXPECT_TRUE(OpenUrl("www.example.com"));
  EXPECT_EQ(Recorded(), "www.example.com");
}

TEST_F(OpenUrlTest, FailsWithoutAStartableHandler) {
  EXPECT_FALSE(OpenUrl("zavotra-unregistered://x"));
  ScopedHandler broken("zavotra-broken", "\"C:\\no such folder\\handler.exe\" %1");
  ASSERT_TRUE(broken.registered());
  EXPECT_FALSE(OpenUrl("zavotra-broken://x"));
  ScopedHandler empty("zavotra-empty", "");
  EXPECT_FALSE(OpenUrl("zavotra-empty://x"));
}

}  // namespace
