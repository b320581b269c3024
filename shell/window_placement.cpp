#include "shell/window_placement.h"

namespace {
bool Inside(int64_t x, int64_t y, const ZRect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

ZPoint Centred(int32_t width, int32_t height, const ZRect& area) {
  const int64_t w = int64_t{area.right} - area.left, h = int64_t{area.bottom} - area.top;
  return ZPoint{static_cast<int32_t>(area.left + (w - width) / 2), static_cast<int32_t>(area.top + (h - height) / 2)};
}
}  // namespace

ZPoint PlaceOnMonitor(int32_t x, int32_t y, int32_t width, int32_t height, const ZRect& monitor) {
  // 64-bit sums: the stored default is INT32_MAX.
  const int64_t right = int64_t{x} + width - 1, bottom = int64_t{y} + height - 1;
  if (!Inside(x, y, monitor) || !Inside(right, bottom, monitor)) return Centred(width, height, monitor);
  return ZPoint{x, y};
}

ZPoint PlaceOnScreen(int32_t x, int32_t y, int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
  if (x < 1 || y < 1 || int64_t{x} + width > screenWidth || int64_t{y} + height > screenHeight)
    return Centred(width, height, ZRect{0, 0, screenWidth, screenHeight});
  return ZPoint{x, y};
}
