// Cells of the recognizer's square that may lie within the radius of some
// point of a normalised stroke (a few more than exactly those, never fewer). A point of another stroke outside every cell
// can never find a partner in that stroke, so a pairing can be refused from
// a few looked-up cells instead of a walk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gesture/stroke.h"

class ReachGrid {
 public:
  // Squares larger than this are not worth a grid; covers() then says yes.
  static constexpr int32_t kMaxSide = 1024;

  ReachGrid(const Stroke& stroke, int32_t radius, int32_t boxSize);

  // False only when `p` is certainly farther than the radius from every
  // point of the stroke.
  bool covers(const Point& p) const {
    if (!enabled_ || p.x < 0 || p.y < 0 || p.x > last_ || p.y > last_)
      return true;
    return cells_[static_cast<size_t>(p.y) * side_ + static_cast<size_t>(p.x)] != 0;
  }

 private:
  void markDisc(const Point& p, int64_t reach);

  bool enabled_ = false;
  int32_t last_ = 0;
  size_t side_ = 0;
  std::vector<uint8_t> cells_;
};
