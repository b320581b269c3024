// SymbolIcon with the system's icons: what its handle draws, and that every
// record owns a handle of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "gesture/symbol_icon.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A 32 x 32 white bitmap in a memory DC, released on every path.
class WhiteCanvas {
 public:
  WhiteCanvas() : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = SymbolIcon::kSide;
    info.bmiHeader.biHeight = -SymbolIcon::kSide;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_)
      previous_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, SymbolIcon::kSide, SymbolIcon::kSide};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~WhiteCanvas() {
    if (previous_)
      SelectObject(dc_, previous_);
    if (bitmap_)
      DeleteObject(bitmap_);
    if (dc_)
      DeleteDC(dc_);
  }
  WhiteCanvas(const WhiteCanvas&) = delete;
  WhiteCanvas& operator=(const WhiteCanvas&) = delete;

  bool ready() const { return dc_ && bitmap_; }
  HDC dc() const { return dc_; }
  COLORREF pixel(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

SymbolIcon IconFrom(const std::array<uint8_t, 512>& xorMask, const std::array<uint8_t, 128>& andMask) {
  SymbolIcon icon;
  EXPECT_TRUE(icon.setMasks(xorMask.data(), andMask.data()));
  EXPECT_NE(icon.handle(), nullptr);
  return icon;
}

SymbolIcon BlankMaskedIcon() {
  std::array<uint8_t, 512> xorMask;
  std::array<uint8_t, 128> andMask;
  xorMask.fill(0x00);
  andMask.fill(0xFF);
  return IconFrom(xorMask, andMask);
}

bool IsValidIcon(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info))
    return false;
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return true;
}

TEST(SymbolIconWin32, BlankMasksDrawNothing) {
  const SymbolIcon icon = BlankMaskedIcon();
  WhiteCanvas canvas;
  ASSERT_TRUE(canvas.ready());
  ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon.handle()));
  for (int y = 0; y < SymbolIcon::kSide; ++y)
    for (int x = 0; x < SymbolIcon::kSide; ++x)
      ASSERT_EQ(canvas.pixel(x, y), kWhite) << x << "," << y;
}

// Opaque pixels at (0,0) and (30,31) black, (1,0) and (31,31) white, everything
// else transparent: fixes the order of the masks, the row order and the
// nibble and bit order within a byte.
TEST(SymbolIconWin32, MasksDrawPixelForPixel) {
  std::array<uint8_t, 512> xorMask;
  std::array<uint8_t, 128> andMask;
  xorMask.fill(0x00);
  andMask.fill(0xFF);
  xorMask[0] = 0x0F;                 // (0,0) colour 0, (1,0) colour 15
  andMask[0] = 0x3F;                 // (0,0) and (1,0) opaque
  xorMask[31 * 16 + 15] = 0x0F;      // (30,31) colour 0, (31,31) colour 15
  andMask[31 * 4 + 3] = 0xFC;        // (30,31) and (31,31) opaque
  const SymbolIcon icon = IconFrom(xorMask, andMask);

  WhiteCanvas canvas;
  ASSERT_TRUE(canvas.ready());
  ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon.handle()));
  int black = 0;
  for (int y = 0; y < SymbolIcon::kSide; ++y)
    for (int x = 0; x < SymbolIcon::kSide; ++x)
      if (canvas.pixel(x, y) != kWhite)
        ++black;
  EXPECT_EQ(canvas.pixel(0, 0), kBlack);
  EXPECT_EQ(canvas.pixel(1, 0), kWhite);
  EXPECT_EQ(canvas.pixel(30, 31), kBlack);
  EXPECT_EQ(canvas.pixel(31, 31), kWhite);
  EXPECT_EQ(black, 2);
}

TEST(SymbolIconWin32, CopiesOwnTheirHandles) {
  SymbolIcon source = BlankMaskedIcon();
  HICON sourceHandle = source.handle();
  HICON copyHandle = nullptr;
  {
    const SymbolIcon copy = source;
    copyHandle = copy.handle();
    ASSERT_NE(copyHandle, nullptr);
    EXPECT_NE(copyHandle, sourceHandle);
    SymbolIcon assigned;
    assigned = source;
    EXPECT_NE(assigned.handle(), sourceHandle);
    EXPECT_NE(assigned.handle(), copyHandle);
  }
  EXPECT_FALSE(IsValidIcon(copyHandle));  // destroyed with its record
  EXPECT_TRUE(IsValidIcon(sourceHandle));
}

TEST(SymbolIconWin32, ReplacingTheMasksDestroysTheOldHandle) {
  SymbolIcon icon = BlankMaskedIcon();
  HICON old = icon.handle();
  std::array<uint8_t, 512> xorMask{};
  std::array<uint8_t, 128> andMask{};
  ASSERT_TRUE(icon.setMasks(xorMask.data(), andMask.data()));
  EXPECT_NE(icon.handle(), old);
  EXPECT_TRUE(IsValidIcon(icon.handle()));
  EXPECT_FALSE(IsValidIcon(old));

  HICON replaced = icon.handle();
  icon.clear();
  EXPECT_EQ(icon.handle(), nullptr);
  EXPECT_FALSE(IsValidIcon(replaced));
}

}  // namespace
