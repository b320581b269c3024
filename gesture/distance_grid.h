// For every cell of the recognizer's square, a lower bound of the squared
// distance to the nearest point of one normalised gesture stroke. Every
// point of a shape stroke is charged at least its cell's value by a walk
// along the gesture stroke, and a point whose value is beyond the squared
// radius can never find a partner there. So a few looked-up cells refuse a
// shape stroke, or show that it cannot beat a score, without a walk.
//
// Two kinds: the exact squared distances (up to the squared radius; beyond
// it only "out of reach"), and the cheaper reach alone (0 where a point may
// be within the radius, a few cells more than exactly those).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gesture/point.h"
#include "gesture/stroke.h"
#include "gesture/sse2.h"

class DistanceGrid {
 public:
  enum class Detail { kReach, kDistances };

  // Squares larger than this are not worth a grid: every cell then reads 0.
  static constexpr int32_t kMaxSide = 1024;

  // `stroke` lies within the square of side `boxSize`.
  DistanceGrid(const Stroke& stroke, int32_t radius, int32_t boxSize, Detail detail);

  // At most the squared distance from `p` to the nearest point of the
  // stroke, and above the squared radius only when that distance is. Points
  // outside the square (and every point without a grid) read 0.
  int32_t squaredDistance(const Point& p) const {
    if (!enabled_ || p.x < 0 || p.y < 0 || p.x > last_ || p.y > last_)
      return 0;
    return cells_[static_cast<size_t>(p.y) * side_ + static_cast<size_t>(p.x)];
  }
  // False when `p` is certainly farther than the radius from the stroke.
  bool reaches(const Point& p) const { return squaredDistance(p) <= r2_; }
  int32_t squaredRadius() const { return r2_; }
  Detail detail() const { return detail_; }

 private:
  void markReach(const Stroke& stroke);
  void columnDistances(const Stroke& stroke, std::vector<int32_t>& vertical) const;
  void rowDistances(const int32_t* column, int32_t* row, std::vector<int32_t>& sites,
                    std::vector<int64_t>& offsets) const;
  // Radii up to this take the quicker way for small radii, where there is one.
  static constexpr int32_t kNearbyRadius = 40;
  void rowDistancesNearby(const int32_t* column, int32_t* row, std::vector<int16_t>& squares) const;

  Detail detail_;
  bool enabled_ = false;
  int32_t last_ = 0;
  size_t side_ = 0;
  int32_t radius_ = 0;
  int32_t r2_ = 0;
  std::vector<int32_t> cells_;  // row by row
};
