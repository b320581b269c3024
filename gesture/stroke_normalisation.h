// Scaling of a stroke set into the recognizer's square and resampling along
// the line walk, one point per unit of travel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gesture/bounding_box.h"
#include "gesture/reach_grid.h"
#include "gesture/stroke.h"

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

// The same normalised stroke, computed point by point where a walk looks at
// it, without producing the points in between; the whole stroke is only
// produced when asked to. A pairing that fails early never pays for the rest
// of the stroke. Consecutive points of a normalised stroke are at most one
// step apart on each axis, which lets a walk jump over stretches that cannot
// come near a point.
class LazyNormalisedStroke {
 public:
  // With `reach`, stops and returns false at the first point beyond it,
  // leaving the stroke empty.
  bool reset(const Stroke& source, const StrokeScaling& scaling, const ReachGrid* reach = nullptr);

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Point `index` (below size()); quickest for indexes near the previous one.
  Point operator[](size_t index) {
    if (hint_ < segments_.size()) {
      const Segment& s = segments_[hint_];
      if (index >= s.start && index - s.start < static_cast<size_t>(s.steps))
        return s.pointAt(static_cast<int32_t>(index - s.start));
    }
    const Segment& s = segmentFor(index);
    return s.pointAt(static_cast<int32_t>(index - s.start));
  }
  const Stroke& complete();

  // False when some point is certainly out of the grid's reach.
  bool within(const ReachGrid& grid) const;

 private:
  // One line walk between consecutive mapped points: `steps` points from
  // `from`, one unit along the major axis each, the minor axis following the
  // LineDDA error rule.
  struct Segment {
    size_t start;
    Point from;
    int32_t steps;
    int32_t minor;
    int32_t xStep;
    int32_t yStep;
    bool xMajor;

    // Closed form of the LineDDA error walk: after t major steps the minor
    // axis has moved (2 minor t + steps - 1) / (2 steps) times. Steps are
    // within the square, so the products fit 64 bits with room to spare.
    Point pointAt(int32_t t) const {
      const int64_t moved = (2 * int64_t{minor} * t + steps - 1) / (2 * int64_t{steps});
      const int32_t m = static_cast<int32_t>(moved);
      if (xMajor)
        return Point{from.x + t * xStep, from.y + m * yStep};
      return Point{from.x + m * xStep, from.y + t * yStep};
    }
  };

  // Segments are laid out as the walk first reaches them.
  const Segment& segmentFor(size_t index);
  bool layOutNextSegment();

  std::vector<Point> mapped_;
  std::vector<Segment> segments_;  // non-empty ones, in order
  size_t laidOut_ = 0;             // mapped points whose outgoing segment is laid out
  size_t laidOutSize_ = 0;         // points covered by the segments laid out
  size_t size_ = 0;
  size_t hint_ = 0;
  bool completed_ = false;
  Stroke points_;
};
