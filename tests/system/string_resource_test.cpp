#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/string_resource.h"
#include "tests/system/system_test_strings.h"

namespace {

// The texts of the table: the digits of their positions, modulo 10.
std::string Digits(size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) text += static_cast<char>('0' + i % 10);
  return text;
}

TEST(StringResource, LoadsTextsOfEveryLengthWhole) {
  struct Case {
    UINT id;
    size_t length;
  } cases[] = {{IDS_TEST_1022, 1022}, {IDS_TEST_1023, 1023}, {IDS_TEST_1024, 1024}, {IDS_TEST_3000, 3000}};
  for (const Case& c : cases) {
    std::string expected = Digits(c.length);
    EXPECT_EQ(LoadAnsiString(c.id), expected) << c.length;
    EXPECT_EQ(LoadWideString(c.id), std::wstring(expected.begin(), expected.end())) << c.length;
  }
}

TEST(StringResource, ShortTextsAndMissingOnes) {
  EXPECT_EQ(LoadAnsiString(IDS_TEST_SHORT), "Hello");
  EXPECT_EQ(LoadAnsiString(IDS_TEST_ACCENT, GetModuleHandleA(nullptr)), "caf\xE9");
  EXPECT_EQ(LoadWideString(IDS_TEST_ACCENT), L"caf\u00E9");
  EXPECT_EQ(LoadAnsiString(IDS_TEST_MISSING), "");
  EXPECT_EQ(LoadWideString(IDS_TEST_MISSING), L"");
}

}  // namespace
