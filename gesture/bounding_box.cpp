#include "gesture/bounding_box.h"

#include <algorithm>

namespace {

const Point* FirstPoint(const std::vector<Stroke>& strokes) {
  for (const Stroke& stroke : strokes)
    if (!stroke.empty())
      return &stroke.front();
  return nullptr;
}

// In locals: through the reference, every point would be a store (the
// compiler cannot tell the box from the points).
void Extend(BoundingBox& box, const Stroke& stroke) {
  int32_t left = box.left, top = box.top, right = box.right, bottom = box.bottom;
  for (const Point& p : stroke) {
    left = std::min(left, p.x);
    top = std::min(top, p.y);
    right = std::max(right, p.x);
    bottom = std::max(bottom, p.y);
  }
  box = BoundingBox{left, top, right, bottom};
}

}  // namespace

std::optional<BoundingBox> BoundingBoxOf(const std::vector<Stroke>& strokes) {
  const Point* first = FirstPoint(strokes);
  if (!first)
    return std::nullopt;
  BoundingBox box{first->x, first->y, first->x, first->y};
  for (const Stroke& stroke : strokes)
    Extend(box, stroke);
  return box;
}

std::optional<BoundingBox> BoundingBoxOf(const Stroke& stroke) {
  if (stroke.empty())
    return std::nullopt;
  BoundingBox box{stroke[0].x, stroke[0].y, stroke[0].x, stroke[0].y};
  Extend(box, stroke);
  return box;
}
