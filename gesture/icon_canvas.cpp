#include "gesture/icon_canvas.h"

#include <cstdlib>

#include "gesture/line_walk.h"

namespace {
// max(|dx|, |dy|) of any two points, which 32 bits cannot always hold.
int64_t LineWalkLength64(Point from, Point to) {
  const int64_t dx = std::llabs(int64_t{to.x} - from.x);
  const int64_t dy = std::llabs(int64_t{to.y} - from.y);
  return dx > dy ? dx : dy;
}

bool Inside(int32_t column, int32_t row) {
  return column >= 0 && column < SymbolIcon::kSide && row >= 0 && row < SymbolIcon::kSide;
}
}  // namespace

void IconCanvas::clear() { *this = IconCanvas(); }

bool IconCanvas::paint(int32_t column, int32_t row, uint8_t colour) {
  if (!Inside(column, row)) return false;
  const int32_t k = row * SymbolIcon::kSide + column;
  uint8_t& pair = colours_[static_cast<size_t>(k / 2)];
  const uint8_t nibble = colour & 0x0F;
  pair = k % 2 == 0 ? static_cast<uint8_t>((pair & 0x0F) | (nibble << 4)) : static_cast<uint8_t>((pair & 0xF0) | nibble);
  uint8_t& bits = transparency_[static_cast<size_t>(k / 8)];
  const uint8_t bit = static_cast<uint8_t>(0x80 >> (k % 8));
  bits = nibble == kTransparent ? static_cast<uint8_t>(bits | bit) : static_cast<uint8_t>(bits & ~bit);
  return true;
}

uint8_t IconCanvas::colourAt(int32_t column, int32_t row) const {
  if (!Inside(column, row)) return kTransparent;
  const int32_t k = row * SymbolIcon::kSide + column;
  const uint8_t pair = colours_[static_cast<size_t>(k / 2)];
  return k % 2 == 0 ? static_cast<uint8_t>(pair >> 4) : static_cast<uint8_t>(pair & 0x0F);
}

bool IconCanvas::transparentAt(int32_t column, int32_t row) const {
  if (!Inside(column, row)) return true;
  const int32_t k = row * SymbolIcon::kSide + column;
  return (transparency_[static_cast<size_t>(k / 8)] & (0x80 >> (k % 8))) != 0;
}

void IconCanvas::drawPolyline(const Stroke& vertices) {
  clear();
  if (vertices.empty()) return;
  // Vertices of a symbol made elsewhere may lie anywhere; a segment longer
  // than this cannot be meant for a 32-pixel icon and is left out rather
  // than walked point by point.
  constexpr int64_t kLongestSegment = 4096;
  Stroke walked;
  for (size_t i = 1; i < vertices.size(); ++i)
    if (LineWalkLength64(vertices[i - 1], vertices[i]) <= kLongestSegment)
      AppendLineWalk(vertices[i - 1], vertices[i], walked);
  walked.push_back(vertices.back());
  for (const Point& pixel : walked) paint(pixel.x, pixel.y, kInk);
}
