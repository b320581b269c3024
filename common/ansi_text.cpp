#include "common/ansi_text.h"

#include <climits>

#include "common/utf8.h"

namespace {

std::wstring MultiByteToWide(UINT codePage, const std::string& text) {
  if (text.empty() || text.size() > INT_MAX) return std::wstring();
  int length = static_cast<int>(text.size());
  int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], units);
  return wide;
}

std::string WideToMultiByte(UINT codePage, const std::wstring& wide) {
  if (wide.empty() || wide.size() > INT_MAX) return std::string();
  int units = static_cast<int>(wide.size());
  int bytes = WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), units, &text[0], bytes, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring AnsiToWide(const std::string& ansi) { return MultiByteToWide(CP_ACP, ansi); }

std::string WideToAnsi(const std::wstring& wide) { return WideToMultiByte(CP_ACP, wide); }

// wchar_t is one UTF-16 unit on Windows, so the text is reinterpreted, not converted.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t expected");

std::string WideToUtf8(const std::wstring& wide) {
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
}

std::wstring Utf8ToWide(const std::string& utf8) {
  std::u16string units = Utf8ToUtf16(utf8.data(), utf8.size());
  return std::wstring(units.begin(), units.end());
}

std::string AnsiToUtf8(const std::string& ansi) { return WideToUtf8(AnsiToWide(ansi)); }

std::string Utf8ToAnsi(const std::string& utf8) { return WideToAnsi(Utf8ToWide(utf8)); }

std::string WideToUtf7(const std::wstring& wide) { return WideToMultiByte(CP_UTF7, wide); }

std::wstring CodePageToWide(UINT codePage, const std::string& text) {
  return MultiByteToWide(codePage, text);
}

std::string CodePageToAnsi(UINT codePage, const std::string& text) {
  return WideToAnsi(CodePageToWide(codePage, text));
}

std::string CodePageToUtf8(UINT codePage, const std::string& text) {
  return WideToUtf8(CodePageToWide(codePage, text));
}

std::string CodePageToUtf7(UINT codePage, const std::string& text) {
  return WideToUtf7(CodePageToWide(codePage, text));
}
