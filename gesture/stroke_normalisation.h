// Scaling of a stroke set into the recognizer's square and resampling along
// the line walk, one point per unit of travel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gesture/bounding_box.h"
#include "gesture/distance_grid.h"
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
  // The same for `count` points of the box, into `out`.
  void map(const Point* points, size_t count, Point* out) const;
  void map(const Point* points, size_t count, WalkPoint* out) const;

 private:
  int32_t left_;
  int32_t top_;
  double kx_;
  double ky_;
  bool narrow_;  // every point's offset in the box fits 32 bits
};

// The mapped points joined by the line walk. The last point is never
// emitted, so a one-point stroke normalises to nothing.
Stroke NormaliseStroke(const Stroke& stroke, const BoundingBox& box, int32_t boxSize);
void NormaliseStrokeInto(const Stroke& stroke, const BoundingBox& box, int32_t boxSize,
                         Stroke& out);
// The same in walk form (the square's sides are at most kLargestWalkSide).
void NormaliseStrokeInto(const Stroke& stroke, const BoundingBox& box, int32_t boxSize,
                         WalkStroke& out);

// A shape stroke mapped into the square, seen through a grid of one gesture
// stroke: how many points its normalised form has, and the sum of the
// grid's values at the points that start a walk (each a point of the
// normalised stroke). False, with the rest unset, at the first such point
// out of the grid's reach. `mapped` has room for the source's points.
struct MappedStroke {
  size_t size = 0;
  int64_t lowerBound = 0;
};
bool MapStroke(const Stroke& source, const StrokeScaling& scaling, const DistanceGrid* grid,
               WalkPoint* mapped, MappedStroke& result);

// The same normalised stroke in walk form, laid out only as far as a walk
// reads it: a pairing that fails early never pays for the rest of the
// stroke. The points are laid out in one buffer, in order, so reading one is
// an index however far apart the positions that walk the stroke are.
class LazyNormalisedStroke {
 public:
  // Maps the source points. With `grid`, stops and returns false at the
  // first point out of its reach, leaving the stroke empty; otherwise sums
  // the grid's values at the points it looked up (lowerBound()).
  bool reset(const Stroke& source, const StrokeScaling& scaling, const DistanceGrid* grid = nullptr);
  // Points mapped already (by MapStroke), kept where they are. With the
  // grid MapStroke saw them through, keeps lowerBoundAhead() as well.
  void reset(const WalkPoint* mapped, size_t count, const MappedStroke& stroke,
             const DistanceGrid* grid = nullptr);

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

  // At most the distance of any walk along the grid's stroke from this
  // stroke's points (the sum of the squared distances of some of its points
  // to the nearest point of that stroke): 0 unless reset with a grid.
  int64_t lowerBound() const { return lowerBound_; }
  // The part of lowerBound() from points not laid out yet (0 without the
  // grid): no walk has read those, so it bounds what walking them will add.
  int64_t lowerBoundAhead() const { return lowerBoundAhead_; }
  // False when some point is out of the grid's reach.
  bool within(const DistanceGrid& grid) const;

 private:
  void layOutThrough(size_t index);

  std::vector<WalkPoint> ownMapped_;
  const WalkPoint* mapped_ = nullptr;
  size_t mappedCount_ = 0;
  WalkBuffer buffer_;
  size_t nextSegment_ = 0;  // the mapped point whose walk to the next one comes next
  size_t laidOut_ = 0;      // points laid out
  size_t readable_ = 0;     // points that may be read: laidOut_, and the padding once complete
  size_t size_ = 0;
  int64_t lowerBound_ = 0;
  const DistanceGrid* grid_ = nullptr;
  int64_t lowerBoundAhead_ = 0;
};
