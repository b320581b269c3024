// ZBstr owns one automation string (BSTR) and frees it with SysFreeString.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

class ZBstr {
 public:
  ZBstr() = default;
  // Copies of the text (embedded NULs kept for the wstring).
  explicit ZBstr(const std::wstring& text);
  explicit ZBstr(const wchar_t* text);
  // Takes ownership of an existing BSTR (a literal is never one: it would be
  // taken by the copying constructor above).
  static ZBstr Attach(BSTR owned);
  ~ZBstr() { reset(); }

  ZBstr(const ZBstr&) = delete;
  ZBstr& operator=(const ZBstr&) = delete;
  ZBstr(ZBstr&& other) noexcept : value_(other.release()) {}
  ZBstr& operator=(ZBstr&& other) noexcept;

  BSTR get() const { return value_; }
  // For out-parameters: frees the current string and exposes the slot.
  BSTR* put();
  BSTR release();
  void reset(BSTR owned = nullptr);
  // Characters, without the terminator; embedded NULs count.
  size_t length() const { return value_ ? SysStringLen(value_) : 0; }

 private:
  BSTR value_ = nullptr;
};

// ANSI (system code page) text as a new BSTR, and a BSTR back to ANSI.
ZBstr AnsiToBstr(const std::string& ansi);
std::string BstrToAnsi(BSTR text);
