#include "gesture/reach_grid.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Consecutive points of a normalised stroke are at most one step apart on
// each axis, so every point lies within kSampleSlack of the nearest sample
// taken every kSampleStep points; widening the discs by that much keeps the
// grid on the safe side while drawing a quarter of them.
constexpr size_t kSampleStep = 4;
constexpr int64_t kSampleSlack = 3;  // ceil(2 * sqrt(2)): two steps to the nearest sample

}  // namespace

ReachGrid::ReachGrid(const Stroke& stroke, int32_t radius, int32_t boxSize) {
  if (boxSize <= 0 || boxSize > kMaxSide || radius < 0 || stroke.empty())
    return;
  enabled_ = true;
  last_ = boxSize;
  side_ = static_cast<size_t>(boxSize) + 1;
  const int64_t reach = int64_t{radius} + kSampleSlack;
  if (reach >= 2 * int64_t{boxSize}) {
    cells_.assign(side_ * side_, 1);  // everything is within reach
    return;
  }
  cells_.assign(side_ * side_, 0);
  for (size_t i = 0; i < stroke.size(); i += kSampleStep)
    markDisc(stroke[i], reach);
  markDisc(stroke.back(), reach);
}

void ReachGrid::markDisc(const Point& p, int64_t reach) {
  const int64_t r2 = reach * reach;
  const int64_t fromY = std::max<int64_t>(0, p.y - reach);
  const int64_t toY = std::min<int64_t>(last_, p.y + reach);
  // Row by row, the disc is one span of cells.
  for (int64_t y = fromY; y <= toY; ++y) {
    const int64_t dy = y - p.y;
    int64_t half = static_cast<int64_t>(std::sqrt(static_cast<double>(r2 - dy * dy)));
    while ((half + 1) * (half + 1) + dy * dy <= r2)  // settle the root's rounding
      ++half;
    while (half > 0 && half * half + dy * dy > r2)
      --half;
    const int64_t fromX = std::max<int64_t>(0, p.x - half);
    const int64_t toX = std::min<int64_t>(last_, p.x + half);
    if (fromX <= toX)
      std::memset(&cells_[static_cast<size_t>(y) * side_ + static_cast<size_t>(fromX)], 1,
                  static_cast<size_t>(toX - fromX + 1));
  }
}
