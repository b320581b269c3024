#include "gesture/stroke_normalisation.h"

#include <algorithm>
#include <cstdlib>

#include "gesture/line_walk.h"

StrokeScaling::StrokeScaling(const BoundingBox& box, int32_t boxSize)
    : left_(box.left), top_(box.top) {
  const double w = static_cast<double>(std::max<int64_t>(1, box.width()));
  const double h = static_cast<double>(std::max<int64_t>(1, box.height()));
  kx_ = boxSize / w;
  ky_ = boxSize / h;
  if (w / h > 4.0)
    ky_ = kx_;
  else if (h / w > 4.0)
    kx_ = ky_;
}

Point StrokeScaling::map(const Point& p) const {
  // The differences are never negative, and the products stay within the
  // square, so the conversion truncates toward zero without overflow.
  const double x = static_cast<double>(int64_t{p.x} - left_) * kx_;
  const double y = static_cast<double>(int64_t{p.y} - top_) * ky_;
  return Point{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

void NormaliseStrokeInto(const Stroke& stroke, const BoundingBox& box, int32_t boxSize,
                         Stroke& out) {
  out.clear();
  if (stroke.empty())
    return;
  const StrokeScaling scaling(box, boxSize);
  Point previous = scaling.map(stroke[0]);
  for (size_t i = 1; i < stroke.size(); ++i) {
    const Point next = scaling.map(stroke[i]);
    AppendLineWalk(previous, next, out);
    previous = next;
  }
}

Stroke NormaliseStroke(const Stroke& stroke, const BoundingBox& box, int32_t boxSize) {
  Stroke out;
  NormaliseStrokeInto(stroke, box, boxSize, out);
  return out;
}

bool LazyNormalisedStroke::reset(const Stroke& source, const StrokeScaling& scaling,
                                 const ReachGrid* reach) {
  mapped_.clear();
  segments_.clear();
  points_.clear();
  laidOut_ = 0;
  laidOutSize_ = 0;
  size_ = 0;
  hint_ = 0;
  completed_ = false;
  if (source.empty())
    return true;
  mapped_.resize(source.size());
  mapped_[0] = scaling.map(source[0]);
  for (size_t i = 1; i < source.size(); ++i) {
    mapped_[i] = scaling.map(source[i]);
    // Mapped points lie within the square, so their steps fit 32 bits.
    const int32_t dx = std::abs(mapped_[i].x - mapped_[i - 1].x);
    const int32_t dy = std::abs(mapped_[i].y - mapped_[i - 1].y);
    size_ += static_cast<size_t>(std::max(dx, dy));
    // A point that starts a non-empty walk is a point of the stroke.
    if (reach && (dx | dy) != 0 && !reach->covers(mapped_[i - 1])) {
      mapped_.clear();
      size_ = 0;
      return false;
    }
  }
  return true;
}

bool LazyNormalisedStroke::layOutNextSegment() {
  while (laidOut_ + 1 < mapped_.size()) {
    const Point from = mapped_[laidOut_];
    const Point to = mapped_[laidOut_ + 1];
    ++laidOut_;
    const int32_t dx = to.x - from.x;
    const int32_t dy = to.y - from.y;
    const int32_t adx = std::abs(dx);
    const int32_t ady = std::abs(dy);
    const bool xMajor = adx > ady;  // LineDDA's choice: ties walk along y
    const int32_t steps = xMajor ? adx : ady;
    if (steps == 0)
      continue;
    segments_.push_back(Segment{laidOutSize_, from, steps, xMajor ? ady : adx, dx < 0 ? -1 : 1,
                                dy < 0 ? -1 : 1, xMajor});
    laidOutSize_ += static_cast<size_t>(steps);
    return true;
  }
  return false;
}

const LazyNormalisedStroke::Segment& LazyNormalisedStroke::segmentFor(size_t index) {
  while (index >= laidOutSize_ && layOutNextSegment()) {
  }
  while (hint_ + 1 < segments_.size() && index >= segments_[hint_ + 1].start)
    ++hint_;
  while (hint_ > 0 && index < segments_[hint_].start)
    --hint_;
  return segments_[hint_];
}

const Stroke& LazyNormalisedStroke::complete() {
  if (!completed_) {
    points_.clear();
    points_.reserve(size_);
    for (size_t i = 1; i < mapped_.size(); ++i)
      AppendLineWalk(mapped_[i - 1], mapped_[i], points_);
    completed_ = true;
  }
  return points_;
}

bool LazyNormalisedStroke::within(const ReachGrid& grid) const {
  // Every mapped point that starts a non-empty walk is a point of the stroke.
  for (size_t i = 0; i + 1 < mapped_.size(); ++i)
    if (mapped_[i] != mapped_[i + 1] && !grid.covers(mapped_[i]))
      return false;
  return true;
}
