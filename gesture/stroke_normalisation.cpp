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
  const StrokeScaling scaling(box, boxSize);
  std::vector<Point> mapped(stroke.size());
  size_t length = 0;
  for (size_t i = 0; i < stroke.size(); ++i) {
    mapped[i] = scaling.map(stroke[i]);
    if (i > 0)
      length += LineWalkLength(mapped[i - 1], mapped[i]);
  }
  out.reserve(length);
  for (size_t i = 1; i < mapped.size(); ++i)
    AppendLineWalk(mapped[i - 1], mapped[i], out);
}

Stroke NormaliseStroke(const Stroke& stroke, const BoundingBox& box, int32_t boxSize) {
  Stroke out;
  NormaliseStrokeInto(stroke, box, boxSize, out);
  return out;
}

bool LazyNormalisedStroke::reset(const Stroke& source, const StrokeScaling& scaling,
                                 const ReachGrid* reach) {
  mapped_.resize(source.size());
  nextSegment_ = 0;
  laidOut_ = 0;
  size_ = 0;
  bool reached = true;
  if (!source.empty()) {
    mapped_[0] = scaling.map(source[0]);
    for (size_t i = 1; i < source.size(); ++i) {
      mapped_[i] = scaling.map(source[i]);
      const size_t steps = LineWalkLength(mapped_[i - 1], mapped_[i]);
      size_ += steps;
      // A point that starts a non-empty walk is a point of the stroke.
      if (reach && steps != 0 && !reach->covers(mapped_[i - 1])) {
        reached = false;
        break;
      }
    }
  }
  if (!reached) {
    mapped_.clear();
    size_ = 0;
  }
  buffer_.prepare(size_);
  readable_ = size_ == 0 ? kWalkPadding : 0;
  return reached;
}

static_assert(kWalkPadding + 1 >= kShortLineWalk, "a short walk at the end writes into the padding");

void LazyNormalisedStroke::layOutThrough(size_t index) {
  // A few points beyond the one asked for: walks move on to them next.
  constexpr size_t kAhead = 32;
  WalkPoint* const start = buffer_.data();
  WalkPoint* out = start + laidOut_;
  while (laidOut_ <= index + kAhead && nextSegment_ + 1 < mapped_.size()) {
    out = WriteLineWalk(mapped_[nextSegment_], mapped_[nextSegment_ + 1], out);
    laidOut_ = static_cast<size_t>(out - start);
    ++nextSegment_;
  }
  if (laidOut_ == size_) {
    // Short walks write a few points past their end, over the padding.
    buffer_.prepare(size_);
    readable_ = size_ + kWalkPadding;
  } else {
    readable_ = laidOut_;
  }
}

bool LazyNormalisedStroke::within(const ReachGrid& grid) const {
  // Every mapped point that starts a non-empty walk is a point of the stroke.
  for (size_t i = 0; i + 1 < mapped_.size(); ++i)
    if (mapped_[i] != mapped_[i + 1] && !grid.covers(mapped_[i]))
      return false;
  return true;
}
