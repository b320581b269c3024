// The ink trail on the real screen: a white window underneath, pixels read
// back from the screen, and the region compared bit for bit after erasing.
#include "gesture/ink_trail.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr RECT kArea = {100, 100, 500, 500};
constexpr COLORREF kTrailOnWhite = RGB(0x45, 0x42, 0xD2);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

// The screen pixels of the area, as 32-bit values.
std::vector<uint32_t> CaptureArea() {
  const int width = kArea.right - kArea.left, height = kArea.bottom - kArea.top;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, kArea.left, kArea.top, SRCCOPY);
  GdiFlush();
  memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

class InkTrailTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "InkTrailTestPaper";
    RegisterClassA(&wc);
    paper_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, kArea.left - 50,
                             kArea.top - 50, kArea.right - kArea.left + 100, kArea.bottom - kArea.top + 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(paper_);
    Pump(300);
  }
  static void TearDownTestSuite() { DestroyWindow(paper_); }

  void SetUp() override {
    ASSERT_EQ(ScreenPixel(kArea.left + 10, kArea.top + 10), kWhite) << "the white window is not showing";
    before_ = CaptureArea();
  }

  static HWND paper_;
  std::vector<uint32_t> before_;
};

HWND InkTrailTest::paper_ = nullptr;

TEST_F(InkTrailTest, SegmentsShowInTheTrailColourAndErasingRestoresTheScreen) {
  InkTrail trail;
  trail.beginStroke({150, 150});
  EXPECT_EQ(CaptureArea(), before_);  // beginning draws nothing
  trail.addPoint({300, 150});
  trail.addPoint({300, 300});

  EXPECT_EQ(ScreenPixel(225, 150), kTrailOnWhite);
  EXPECT_EQ(ScreenPixel(225, 149), kTrailOnWhite);  // 3 pixels wide
  EXPECT_EQ(ScreenPixel(225, 151), kTrailOnWhite);
  EXPECT_EQ(ScreenPixel(300, 225), kTrailOnWhite);
  EXPECT_EQ(ScreenPixel(225, 225), kWhite);
  EXPECT_EQ(trail.strokes(), (Gesture{{{150, 150}, {300, 150}, {300, 300}}}));
  EXPECT_FALSE(trail.isEmpty());

  trail.eraseAndClear();
  EXPECT_EQ(CaptureArea(), before_);
  EXPECT_TRUE(trail.isEmpty());
}

TEST_F(InkTrailTest, StrokesOfOneGestureAreNotJoined) {
  InkTrail trail;
  trail.beginStroke({150, 200});
  trail.addPoint({250, 200});
  trail.beginStroke({150, 350});
  trail.addPoint({250, 350});

  EXPECT_EQ(ScreenPixel(200, 200), kTrailOnWhite);
  EXPECT_EQ(ScreenPixel(200, 350), kTrailOnWhite);
  EXPECT_EQ(ScreenPixel(200, 275), kWhite);  // on the way from the end of one stroke to the next
  EXPECT_EQ(trail.strokes().size(), 2u);

  trail.eraseAndClear();
  EXPECT_EQ(CaptureArea(), before_);
}

TEST_F(InkTrailTest, PointWithoutABegunStrokeOpensOneAndDrawsNothing) {
  InkTrail trail;
  trail.addPoint({200, 200});
  EXPECT_EQ(CaptureArea(), before_);
  EXPECT_EQ(trail.strokes(), (Gesture{{{200, 200}}}));
}

TEST_F(InkTrailTest, TrailStillShowingIsWipedWhenTheTrailGoes) {
  {
    InkTrail trail;
    trail.beginStroke({120, 400});
    trail.addPoint({450, 130});
    EXPECT_NE(CaptureArea(), before_);
  }
  EXPECT_EQ(CaptureArea(), before_);
}

}  // namespace
