// One way of drawing a symbol: its strokes in the order they are drawn, and
// the icon shown for it. A shape without strokes is a valid value that never
// matches a gesture.
#pragma once
#include <cstddef>
#include <vector>

#include "gesture/stroke.h"
#include "gesture/symbol_icon.h"

class Shape {
 public:
  Shape() = default;
  // Empty stroke list with a copy of the icon (the editor starts shapes this way).
  explicit Shape(const SymbolIcon& icon) : icon_(icon) {}

  const std::vector<Stroke>& strokes() const { return strokes_; }
  std::vector<Stroke>& strokes() { return strokes_; }
  size_t strokeCount() const { return strokes_.size(); }

  Stroke& addStroke(Stroke stroke = {});
  // The stroke being filled point by point; a shape without strokes gets its
  // first, empty stroke here rather than handing out a dangling reference.
  Stroke& lastStroke();

  const SymbolIcon& icon() const { return icon_; }
  SymbolIcon& icon() { return icon_; }
  void setIcon(const SymbolIcon& icon) { icon_ = icon; }

  friend bool operator==(const Shape& a, const Shape& b) {
    return a.strokes_ == b.strokes_ && a.icon_ == b.icon_;
  }
  friend bool operator!=(const Shape& a, const Shape& b) { return !(a == b); }

 private:
  std::vector<Stroke> strokes_;
  SymbolIcon icon_;
};
