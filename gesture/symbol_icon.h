// The 32 x 32, 16-colour picture shown for a shape in lists and menus.
//
// The record keeps the two masks as stored in symbol files and owns a system
// icon built from them when it is first asked for: reading a plug-in, or
// cloning an action to run it, builds none (each costs several system calls,
// which the press of the drawing button and the start of an action would
// wait for). Every record has its own handle: a copy builds a new one when
// asked, replacing the masks destroys the old one, destruction destroys it.
// Outside Windows there is no icon system; the masks are kept and the handle
// stays null.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#ifdef _WIN32
struct HICON__;
using SymbolIconHandle = HICON__*;  // HICON under STRICT
#else
using SymbolIconHandle = void*;
#endif

class SymbolIcon {
 public:
  static constexpr int kSide = 32;
  static constexpr size_t kXorMaskSize = 512;  // 4 bits a pixel, 16 bytes a row, top row first
  static constexpr size_t kAndMaskSize = 128;  // 1 bit a pixel, set = transparent, top row first

  using XorMask = std::array<uint8_t, kXorMaskSize>;
  using AndMask = std::array<uint8_t, kAndMaskSize>;

  // Blank: colour mask all 0x00, transparency mask all 0xFF, no handle.
  SymbolIcon();
  SymbolIcon(const SymbolIcon& other);
  SymbolIcon(SymbolIcon&& other) noexcept;
  SymbolIcon& operator=(const SymbolIcon& other);
  SymbolIcon& operator=(SymbolIcon&& other) noexcept;
  ~SymbolIcon();

  // Colour mask ("XOR Mask" in files): two pixels a byte, left pixel in the high nibble.
  const XorMask& xorMask() const { return xorMask_; }
  // Transparency mask ("AND Mask" in files): leftmost pixel in the top bit.
  const AndMask& andMask() const { return andMask_; }

  // Copies 512 and 128 bytes; the handle is built from them when asked for,
  // at once when the record already had one. Returns false when the system
  // refused that icon; the masks are kept and the handle is then null. Null
  // pointers are refused and change nothing.
  bool setMasks(const uint8_t* xor512, const uint8_t* and128);
  // Back to the blank state, without a handle.
  void clear();

  // Null for a blank record that never had its masks set, when the system
  // refused the icon (and always outside Windows).
  SymbolIconHandle handle() const;

  // Compares the pictures, not the handles.
  friend bool operator==(const SymbolIcon& a, const SymbolIcon& b) {
    return a.xorMask_ == b.xorMask_ && a.andMask_ == b.andMask_;
  }
  friend bool operator!=(const SymbolIcon& a, const SymbolIcon& b) { return !(a == b); }

 private:
  // Platform part: symbol_icon_win32.cpp on Windows, symbol_icon_nohandle.cpp elsewhere.
  static SymbolIconHandle BuildHandle(const XorMask& xorMask, const AndMask& andMask);
  static void DestroyHandle(SymbolIconHandle handle);
  void releaseHandle();

  XorMask xorMask_;
  AndMask andMask_;
  bool masksSet_ = false;  // a record whose masks were set has a handle, once asked for
  mutable bool built_ = false;  // the handle was built (or refused) for these masks
  mutable SymbolIconHandle handle_ = nullptr;
};
