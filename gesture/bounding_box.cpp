#include "gesture/bounding_box.h"

#include <algorithm>

namespace {

void Extend(BoundingBox& box, const Point& p) {
  box.left = std::min(box.left, p.x);
  box.top = std::min(box.top, p.y);
  box.right = std::max(box.right, p.x);
  box.bottom = std::max(box.bottom, p.y);
}

void ExtendBy(std::optional<BoundingBox>& box, const Stroke& stroke) {
  for (const Point& p : stroke) {
    if (!box)
      box = BoundingBox{p.x, p.y, p.x, p.y};
    else
      Extend(*box, p);
  }
}

}  // namespace

std::optional<BoundingBox> BoundingBoxOf(const std::vector<Stroke>& strokes) {
  std::optional<BoundingBox> box;
  for (const Stroke& stroke : strokes)
    ExtendBy(box, stroke);
  return box;
}

std::optional<BoundingBox> BoundingBoxOf(const Stroke& stroke) {
  std::optional<BoundingBox> box;
  ExtendBy(box, stroke);
  return box;
}
