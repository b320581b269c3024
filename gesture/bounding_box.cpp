#include "gesture/bounding_box.h"

#include <algorithm>

namespace {

const Point* FirstPoint(const std::vector<Stroke>& strokes) {
  for (const Stroke& stroke : strokes)
    if (!stroke.empty())
      return &stroke.front();
  return nullptr;
}

void Extend(BoundingBox& box, const Stroke& stroke) {
  for (const Point& p : stroke) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
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
