// Conversions between the system's ANSI code page, other code pages, UTF-16
// (std::wstring, 16-bit on Windows), UTF-8 and UTF-7. UTF-8 always goes
// through the program's own coders (common/utf8.h), so that every file that
// holds UTF-8 is written and read the same way in every build.
// Embedded NUL characters are converted like any other character.
#pragma once
#include <windows.h>

#include <string>

std::wstring AnsiToWide(const std::string& ansi);
// Characters without an ANSI form become the system's default character.
std::string WideToAnsi(const std::wstring& wide);

// UTF-16 <-> UTF-8 with the program's own coders.
std::string WideToUtf8(const std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);

// UTF-16 to UTF-7 with the system's coder (code page 65000).
std::string WideToUtf7(const std::wstring& wide);

// Text in a given code page (0 = the system's ANSI code page).
std::wstring CodePageToWide(UINT codePage, const std::string& text);
std::string CodePageToAnsi(UINT codePage, const std::string& text);
std::string CodePageToUtf8(UINT codePage, const std::string& text);
std::string CodePageToUtf7(UINT codePage, const std::string& text);
