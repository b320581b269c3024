#include "gesture/shape.h"

#include <utility>

Stroke& Shape::addStroke(Stroke stroke) {
  strokes_.push_back(std::move(stroke));
  return strokes_.back();
}

Stroke& Shape::lastStroke() {
  if (strokes_.empty())
    strokes_.emplace_back();
  return strokes_.back();
}
