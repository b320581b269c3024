#include "common/bstr.h"

#include <climits>

#include "common/ansi_text.h"

ZBstr::ZBstr(const std::wstring& text) {
  if (text.size() <= UINT_MAX) value_ = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

ZBstr::ZBstr(const wchar_t* text) : value_(text ? SysAllocString(text) : nullptr) {}

ZBstr ZBstr::Attach(BSTR owned) {
  ZBstr attached;
  attached.value_ = owned;
  return attached;
}

ZBstr& ZBstr::operator=(ZBstr&& other) noexcept {
  if (this != &other) reset(other.release());
  return *this;
}

BSTR* ZBstr::put() {
  reset();
  return &value_;
}

BSTR ZBstr::release() {
  BSTR owned = value_;
  value_ = nullptr;
  return owned;
}

void ZBstr::reset(BSTR owned) {
  if (value_ && value_ != owned) SysFreeString(value_);
  value_ = owned;
}

ZBstr AnsiToBstr(const std::string& ansi) { return ZBstr(AnsiToWide(ansi)); }

std::string BstrToAnsi(BSTR text) {
  if (!text) return std::string();
  return WideToAnsi(std::wstring(text, SysStringLen(text)));
}
