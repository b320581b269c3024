#include "shell/skin_region.h"

#include "common/gdi_objects.h"
#include "shell/window_outline.h"

namespace {
constexpr uint32_t kOutside = 0x00FF0000;  // pure red as a 32-bit DIB pixel (blue in the low byte)
}  // namespace

std::vector<uint8_t> OpaquePixels(HBITMAP bitmap, int& width, int& height) {
  std::vector<uint8_t> opaque;
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return opaque;
  width = info.bmWidth;
  height = info.bmHeight;
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  ZWindowDC screen(nullptr);
  if (GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS) != height) return opaque;
  opaque.reserve(pixels.size());
  for (uint32_t pixel : pixels) opaque.push_back((pixel & 0x00FFFFFF) != kOutside);
  return opaque;
}

HRGN SkinRegion(HBITMAP bitmap) {
  int width = 0, height = 0;
  const std::vector<uint8_t> opaque = OpaquePixels(bitmap, width, height);
  const std::vector<ZPoint> outline = TraceOutline(opaque, width, height);
  if (outline.empty()) return nullptr;
  std::vector<POINT> points;
  points.reserve(outline.size());
  for (const ZPoint& p : outline) points.push_back(POINT{p.x, p.y});
  return CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}
