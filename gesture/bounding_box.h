// The inclusive extent of a set of strokes: the sides are the coordinates of
// the extreme points, so a single point has width 0 and height 0.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "gesture/stroke.h"

struct BoundingBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  // 64-bit so that points at the far ends of the 32-bit range cannot overflow.
  int64_t width() const { return int64_t{right} - left; }
  int64_t height() const { return int64_t{bottom} - top; }

  friend bool operator==(const BoundingBox& a, const BoundingBox& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

// The box of every point of every stroke. Empty strokes are passed over, so a
// stored shape whose first stroke is empty still gets the box of its points;
// a list without any point has no box.
std::optional<BoundingBox> BoundingBoxOf(const std::vector<Stroke>& strokes);
std::optional<BoundingBox> BoundingBoxOf(const Stroke& stroke);
