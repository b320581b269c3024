#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/ansi_text.h"
#include "common/bstr.h"

namespace {

TEST(AnsiText, SystemCodePageIsWesternForTheseTests) { ASSERT_EQ(GetACP(), 1252u); }

TEST(AnsiText, AnsiAndUtf16RoundTrip) {
  EXPECT_EQ(AnsiToWide("caf\xE9 \x80"), L"caf\u00E9 \u20AC");
  EXPECT_EQ(WideToAnsi(L"caf\u00E9 \u20AC"), "caf\xE9 \x80");
  EXPECT_EQ(WideToAnsi(L"a\u4E2Db"), "a?b");  // no ANSI form: the default character
  EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
  EXPECT_EQ(AnsiToWide(""), L"");
}

TEST(AnsiText, Utf8GoesThroughTheProgramsOwnCoders) {
  EXPECT_EQ(AnsiToUtf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(Utf8ToAnsi("\xC3\xA9"), "\xE9");
  // Unit by unit: a surrogate pair is two three-byte sequences, and U+FFFD is
  // dropped; the system's coder would give four bytes and keep U+FFFD.
  EXPECT_EQ(WideToUtf8(L"\U0001F600"), "\xED\xA0\xBD\xED\xB8\x80");
  EXPECT_EQ(WideToUtf8(L"a\uFFFDb"), "ab");
  EXPECT_EQ(Utf8ToWide("\x80"), L"\uFFFD");
}

TEST(AnsiText, TextInAGivenCodePage) {
  const std::string shiftJis = "\x93\xFA\x96\x7B";  // 日本 in code page 932
  EXPECT_EQ(CodePageToWide(932, shiftJis), L"\u65E5\u672C");
  EXPECT_EQ(CodePageToUtf8(932, shiftJis), "\xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(CodePageToAnsi(932, shiftJis), "??");
  EXPECT_EQ(CodePageToAnsi(65001, "\xC3\xA9"), "\xE9");
  EXPECT_EQ(CodePageToWide(0, "\xE9"), L"\u00E9");  // 0: the system code page
  EXPECT_EQ(CodePageToUtf7(1252, "\xE9"), "+AOk-");
  EXPECT_EQ(WideToUtf7(L"a+b"), "a+-b");
}

TEST(Bstr, HoldsTheConvertedTextWithItsLength) {
  ZBstr text = AnsiToBstr("caf\xE9");
  ASSERT_NE(text.get(), nullptr);
  EXPECT_EQ(text.length(), 4u);
  EXPECT_EQ(std::wstring(text.get()), L"caf\u00E9");
  EXPECT_EQ(BstrToAnsi(text.get()), "caf\xE9");

  ZBstr withNul(std::wstring(L"a\0b", 3));
  EXPECT_EQ(BstrToAnsi(withNul.get()), std::string("a\0b", 3));
  EXPECT_EQ(BstrToAnsi(nullptr), "");
}

TEST(Bstr, MovesAndReleasesOwnership) {
  ZBstr first(L"one");
  ZBstr second(std::move(first));
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(std::wstring(second.get()), L"one");
  second = ZBstr(L"two");
  EXPECT_EQ(std::wstring(second.get()), L"two");
  BSTR raw = second.release();
  EXPECT_EQ(second.get(), nullptr);
  SysFreeString(raw);

  ZBstr attached = ZBstr::Attach(SysAllocString(L"owned"));
  EXPECT_EQ(attached.length(), 5u);

  ZBstr filled;
  *filled.put() = SysAllocString(L"out parameter");
  EXPECT_EQ(filled.length(), 13u);
}

}  // namespace
