#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/registry.h"
#include "common/registry_key.h"

namespace {

// One key per test: ctest runs the tests in parallel processes.
std::string TestKeyPath() {
  return std::string("Software\\ZavotraTests\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(key_.create(HKEY_CURRENT_USER, TestKeyPath().c_str())); }
  void TearDown() override {
    key_.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath().c_str());
  }
  void Set(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  void SetText(const char* name, DWORD type, const std::string& text) {
    Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }

  ZRegistryKey key_;
};

TEST_F(Registry, NumberIsReadOnlyFromADword) {
  DWORD seven = 7;
  Set("Dword", REG_DWORD, &seven, sizeof seven);
  SetText("Text", REG_SZ, "42");
  Set("Binary", REG_BINARY, &seven, sizeof seven);
  EXPECT_EQ(RegistryReadNumber(key_.get(), "Dword", 99), 7u);
  EXPECT_EQ(RegistryReadNumber(key_.get(), "Text", 99), 99u);
  EXPECT_EQ(RegistryReadNumber(key_.get(), "Binary", 99), 99u);
  EXPECT_EQ(RegistryReadNumber(key_.get(), "Missing", 99), 99u);
}

TEST_F(Registry, TextIsReadAsStoredOrExpanded) {
  SetEnvironmentVariableA("ZAVOTRA_REGISTRY_TEST", "C:\\Expanded");
  SetText("Plain", REG_SZ, "%ZAVOTRA_REGISTRY_TEST%\\a");
  SetText("Expand", REG_EXPAND_SZ, "%ZAVOTRA_REGISTRY_TEST%\\a");
  DWORD seven = 7;
  Set("Dword", REG_DWORD, &seven, sizeof seven);
  EXPECT_EQ(RegistryReadText(key_.get(), "Plain"), "%ZAVOTRA_REGISTRY_TEST%\\a");
  EXPECT_EQ(RegistryReadText(key_.get(), "Expand"), "C:\\Expanded\\a");
  EXPECT_EQ(RegistryReadText(key_.get(), "Dword"), "");
  EXPECT_EQ(RegistryReadText(key_.get(), "Missing"), "");
}

TEST_F(Registry, TextEdgeCases) {
  Set("NoNul", REG_SZ, "abc", 3);  // stored by a careless writer without its NUL
  EXPECT_EQ(RegistryReadText(key_.get(), "NoNul"), "abc");
  SetText("Full", REG_SZ, std::string(1023, 'x'));  // exactly fills the buffer
  EXPECT_EQ(RegistryReadText(key_.get(), "Full"), std::string(1023, 'x'));
  SetText("TooLong", REG_SZ, std::string(2000, 'x'));
  EXPECT_EQ(RegistryReadText(key_.get(), "TooLong"), "");
  SetText("", REG_SZ, "default value");
  EXPECT_EQ(RegistryReadText(key_.get(), nullptr), "default value");
}

TEST_F(Registry, WriteTextStoresTheFormattedTextWithItsNul) {
  ASSERT_TRUE(RegistryWriteText(key_.get(), "Folder", "%s\\%d", "C:\\Zavotra", 3));
  char buffer[64] = {};
  DWORD type = 0, size = sizeof buffer;
  ASSERT_EQ(RegQueryValueExA(key_.get(), "Folder", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, sizeof("C:\\Zavotra\\3"));
  EXPECT_STREQ(buffer, "C:\\Zavotra\\3");

  // Longer text is cut at 1023 characters, not written past the buffer.
  ASSERT_TRUE(RegistryWriteText(key_.get(), "Long", "%s", std::string(3000, 'y').c_str()));
  EXPECT_EQ(RegistryReadText(key_.get(), "Long"), std::string(1023, 'y'));
}

TEST(RegistryKey, OwnsAndClosesItsKey) {
  ZRegistryKey missing;
  EXPECT_FALSE(missing.open(HKEY_CURRENT_USER, "Software\\ZavotraTests\\does not exist"));
  EXPECT_FALSE(missing);

  ZRegistryKey created;
  ASSERT_TRUE(created.create(HKEY_CURRENT_USER, "Software\\ZavotraTests\\registry_key_test"));
  ZRegistryKey moved(std::move(created));
  EXPECT_FALSE(created);
  EXPECT_TRUE(moved);
  HKEY raw = moved.get();
  moved.reset();
  // The handle was closed: using it now fails.
  EXPECT_NE(RegSetValueExA(raw, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2), ERROR_SUCCESS);

  ZRegistryKey reopened;
  EXPECT_TRUE(reopened.open(HKEY_CURRENT_USER, "Software\\ZavotraTests\\registry_key_test"));
  reopened.reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ZavotraTests\\registry_key_test");
}

}  // namespace
