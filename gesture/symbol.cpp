#include "gesture/symbol.h"

#include <utility>

Shape& Symbol::addShape(Shape shape) {
  shapes_.push_back(std::move(shape));
  return shapes_.back();
}

Shape& Symbol::lastShape() {
  if (shapes_.empty())
    shapes_.emplace_back();
  return shapes_.back();
}
