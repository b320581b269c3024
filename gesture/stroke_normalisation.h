// Scaling of a stroke set into the recognizer's square and resampling along
// the line walk, one point per unit of travel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gesture/bounding_box.h"
#include "gesture/reach_grid.h"
#include "gesture/stroke.h"
#include "gesture/walk_point.h"

// The mapping of one stroke set with box `box` into the boxSize square. A set
// more than four times as wide as high (or high as wide) is scaled uniformly
// by its long side, so straight strokes stay straight; any other set fills the
// square on both axes. Ratios of exactly 4 still fill the square.
class StrokeScaling {
 public:
  StrokeScaling(const BoundingBox& box, int32_t boxSize);
  Point map(const Point& p) const;

 private:
  int32_t left_;
  int32_t top_;
  double kx_;
  double ky_;
};

// The mapped points joined by the line walk. The last point is never
// emitted, so a one-point stroke normalises to nothing.
Stroke NormaliseStroke(const Stroke& stroke, const BoundingBox& box, int32_t boxSize);
void NormaliseStrokeInto(const Stroke& stroke, const BoundingBox& box, int32_t boxSize,
                         Stroke& out);

// The same normalised stroke in walk form, laid out only as far as a walk
// reads it: a pairing that fails early never pays for the rest of the
// stroke. The points are laid out in one buffer, in order, so reading one is
// an index however far apart the positions that walk the stroke are.
class LazyNormalisedStroke {
 public:
  // Maps the source points. With `reach`, stops and returns false at the
  // first point beyond it, leaving the stroke empty.
  bool reset(const Stroke& source, const StrokeScaling& scaling, const ReachGrid* reach = nullptr);

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // The points in walk form, followed by the padding; those up to `index`
  // (below size() + kWalkPadding) are only there after readThrough(index).
  const WalkPoint* data() const { return buffer_.data(); }
  void readThrough(size_t index) {
    if (index >= readable_)
      layOutThrough(index);
  }
  // Point `index` (below size()).
  Point operator[](size_t index) {
    readThrough(index);
    return ToPoint(data()[index]);
  }

  // False when some point is certainly out of the grid's reach.
  bool within(const ReachGrid& grid) const;

 private:
  void layOutThrough(size_t index);

  std::vector<Point> mapped_;
  WalkBuffer buffer_;
  size_t nextSegment_ = 0;  // the mapped point whose walk to the next one comes next
  size_t laidOut_ = 0;      // points laid out
  size_t readable_ = 0;     // points that may be read: laidOut_, and the padding once complete
  size_t size_ = 0;
};
