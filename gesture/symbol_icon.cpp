#include "gesture/symbol_icon.h"

#include <algorithm>
#include <utility>

SymbolIcon::SymbolIcon() {
  xorMask_.fill(0x00);
  andMask_.fill(0xFF);
}

SymbolIcon::SymbolIcon(const SymbolIcon& other)
    : xorMask_(other.xorMask_), andMask_(other.andMask_), masksSet_(other.masksSet_) {}

SymbolIcon::SymbolIcon(SymbolIcon&& other) noexcept
    : xorMask_(other.xorMask_), andMask_(other.andMask_), masksSet_(other.masksSet_),
      built_(other.built_), handle_(std::exchange(other.handle_, nullptr)) {
  other.clear();
}

SymbolIcon& SymbolIcon::operator=(const SymbolIcon& other) {
  if (this == &other)
    return *this;
  if (other.masksSet_) {
    setMasks(other.xorMask_.data(), other.andMask_.data());
  } else {
    clear();
  }
  return *this;
}

SymbolIcon& SymbolIcon::operator=(SymbolIcon&& other) noexcept {
  if (this == &other)
    return *this;
  releaseHandle();
  xorMask_ = other.xorMask_;
  andMask_ = other.andMask_;
  masksSet_ = other.masksSet_;
  built_ = other.built_;
  handle_ = std::exchange(other.handle_, nullptr);
  other.clear();
  return *this;
}

SymbolIcon::~SymbolIcon() { releaseHandle(); }

bool SymbolIcon::setMasks(const uint8_t* xor512, const uint8_t* and128) {
  if (!xor512 || !and128)
    return false;
  // Copy first: the source may be this record's own masks.
  XorMask newXor;
  AndMask newAnd;
  std::copy(xor512, xor512 + kXorMaskSize, newXor.begin());
  std::copy(and128, and128 + kAndMaskSize, newAnd.begin());
  // A handle already handed out is replaced at once, the new one built
  // before the old one goes, so that a replaced handle value is never handed
  // out again as this record's icon.
  const bool replace = handle_ != nullptr;
  SymbolIconHandle built = replace ? BuildHandle(newXor, newAnd) : nullptr;
  releaseHandle();
  xorMask_ = newXor;
  andMask_ = newAnd;
  masksSet_ = true;
  handle_ = built;
  built_ = replace;
#ifdef _WIN32
  return !replace || handle_ != nullptr;
#else
  return true;
#endif
}

SymbolIconHandle SymbolIcon::handle() const {
  if (masksSet_ && !built_) {
    handle_ = BuildHandle(xorMask_, andMask_);
    built_ = true;
  }
  return handle_;
}

void SymbolIcon::clear() {
  releaseHandle();
  xorMask_.fill(0x00);
  andMask_.fill(0xFF);
  masksSet_ = false;
  built_ = false;
}

void SymbolIcon::releaseHandle() {
  if (handle_)
    DestroyHandle(std::exchange(handle_, nullptr));
}
