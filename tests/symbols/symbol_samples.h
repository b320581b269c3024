// Symbols with every kind of content, for round trips.
#pragma once
#include "gesture/symbol.h"

// Two shapes: the first with two strokes (one of them empty) and negative,
// large coordinates; the second with one stroke and a different icon.
inline Symbol SampleSymbol() {
  Symbol symbol;
  symbol.setName("Caf\xE9 circle");
  symbol.setSortName("circle, caf\xE9");
  symbol.setIdentifier(4000000000u);
  for (int s = 0; s < 2; ++s) {
    SymbolIcon icon;
    SymbolIcon::XorMask xorMask;
    SymbolIcon::AndMask andMask;
    for (size_t i = 0; i < xorMask.size(); ++i) xorMask[i] = static_cast<uint8_t>(i * (s + 3));
    for (size_t i = 0; i < andMask.size(); ++i) andMask[i] = static_cast<uint8_t>(0xF0 ^ (i + s));
    icon.setMasks(xorMask.data(), andMask.data());
    Shape& shape = symbol.addShape(Shape(icon));
    shape.addStroke({{3, 4}, {3, 4}, {-2000000000, 2147483647}, {28, 3}});
    if (s == 0) {
      shape.addStroke();
      shape.addStroke({{10, 10}});
    }
  }
  return symbol;
}
