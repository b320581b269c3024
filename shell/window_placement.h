// Where the main window opens: at its stored position when it fits on the
// monitor of that position, centred otherwise (the stored default
// 2147483647 is off every screen, so a first start is centred).
#pragma once
#include <cstdint>

struct ZRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct ZPoint {
  int32_t x = 0, y = 0;
};

// Several monitors possible: `monitor` is the rectangle of the monitor of
// (x, y), or of the primary one; the window is centred on that monitor when
// either of its corners lies outside it.
ZPoint PlaceOnMonitor(int32_t x, int32_t y, int32_t width, int32_t height, const ZRect& monitor);
// A single screen: centred when x or y is below 1 or the window would reach
// past the screen.
ZPoint PlaceOnScreen(int32_t x, int32_t y, int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight);
