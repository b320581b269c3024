// The 32 by 32 icon of a symbol's shape as the symbol editor paints it:
// the two masks of SymbolIcon, a pixel at a time, and the picture made from
// the symbol's polyline. Portable.
#pragma once
#include <cstdint>

#include "gesture/stroke.h"
#include "gesture/symbol_icon.h"

class IconCanvas {
 public:
  static constexpr uint8_t kInk = 4;          // dark blue of the standard palette
  static constexpr uint8_t kTransparent = 0;  // painted as colour 0 and see-through

  IconCanvas() = default;  // blank: all colour 0 and transparent
  IconCanvas(const SymbolIcon::XorMask& colours, const SymbolIcon::AndMask& transparency)
      : colours_(colours), transparency_(transparency) {}

  const SymbolIcon::XorMask& colours() const { return colours_; }
  const SymbolIcon::AndMask& transparency() const { return transparency_; }

  // Back to the blank icon.
  void clear();
  // Writes the 4-bit colour of pixel (column, row); colour 0 makes it
  // transparent, any other opaque. False, nothing changed, outside the icon.
  bool paint(int32_t column, int32_t row, uint8_t colour);
  uint8_t colourAt(int32_t column, int32_t row) const;
  bool transparentAt(int32_t column, int32_t row) const;

  // Clears the icon, then inks every pixel the polyline of `vertices` (each
  // taken as a pixel) passes through: each segment walked as the recognizer
  // walks its strokes, and the last vertex.
  void drawPolyline(const Stroke& vertices);

 private:
  SymbolIcon::XorMask colours_ = SymbolIcon().xorMask();
  SymbolIcon::AndMask transparency_ = SymbolIcon().andMask();
};
