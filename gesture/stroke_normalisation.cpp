#include "gesture/stroke_normalisation.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "gesture/line_walk.h"

#ifdef ZAVOTRA_WALK_SSE2
namespace {
// Both coordinates of `p` at once, with the same double steps as
// StrokeScaling::map(p): the offsets fit 32 bits, so converting them is exact.
inline __m128i MapPair(const Point& p, __m128i origin, __m128d factors) {
  const __m128i xy = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&p));
  const __m128d offset = _mm_cvtepi32_pd(_mm_sub_epi32(xy, origin));
  return _mm_cvttpd_epi32(_mm_mul_pd(offset, factors));
}
}  // namespace
#endif

StrokeScaling::StrokeScaling(const BoundingBox& box, int32_t boxSize)
    : left_(box.left), top_(box.top),
      narrow_(box.width() <= INT32_MAX && box.height() <= INT32_MAX) {
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

void StrokeScaling::map(const Point* points, size_t count, Point* out) const {
#ifdef ZAVOTRA_WALK_SSE2
  if (narrow_) {
    const __m128i origin = _mm_set_epi32(0, 0, top_, left_);
    const __m128d factors = _mm_set_pd(ky_, kx_);
    for (size_t i = 0; i < count; ++i)
      _mm_storel_epi64(reinterpret_cast<__m128i*>(&out[i]), MapPair(points[i], origin, factors));
    return;
  }
#endif
  for (size_t i = 0; i < count; ++i)
    out[i] = map(points[i]);
}

void StrokeScaling::map(const Point* points, size_t count, WalkPoint* out) const {
#ifdef ZAVOTRA_WALK_SSE2
  if (narrow_) {
    const __m128i origin = _mm_set_epi32(0, 0, top_, left_);
    const __m128d factors = _mm_set_pd(ky_, kx_);
    for (size_t i = 0; i < count; ++i) {
      const __m128i mapped = MapPair(points[i], origin, factors);
      // Within the square: the 16-bit packing changes nothing.
      const int32_t packed = _mm_cvtsi128_si32(_mm_packs_epi32(mapped, mapped));
      std::memcpy(&out[i], &packed, sizeof packed);
    }
    return;
  }
#endif
  for (size_t i = 0; i < count; ++i)
    out[i] = ToWalkPoint(map(points[i]));
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

void NormaliseStrokeInto(const Stroke& stroke, const BoundingBox& box, int32_t boxSize,
                         WalkStroke& out) {
  const StrokeScaling scaling(box, boxSize);
  std::vector<Point> mapped(stroke.size());
  scaling.map(stroke.data(), stroke.size(), mapped.data());
  size_t length = 0;
  for (size_t i = 1; i < mapped.size(); ++i)
    length += LineWalkLength(mapped[i - 1], mapped[i]);
  WalkPoint* points = out.prepare(length);
  for (size_t i = 1; i < mapped.size(); ++i)
    points = WriteLineWalk(mapped[i - 1], mapped[i], points);
  out.padded();
}

Stroke NormaliseStroke(const Stroke& stroke, const BoundingBox& box, int32_t boxSize) {
  Stroke out;
  NormaliseStrokeInto(stroke, box, boxSize, out);
  return out;
}

bool MapStroke(const Stroke& source, const StrokeScaling& scaling, const DistanceGrid* grid,
               WalkPoint* mapped, MappedStroke& result) {
  scaling.map(source.data(), source.size(), mapped);
  size_t size = 0;
  int64_t lowerBound = 0;
  for (size_t i = 1; i < source.size(); ++i) {
    const Point from = ToPoint(mapped[i - 1]);
    const size_t steps = LineWalkLength(from, ToPoint(mapped[i]));
    size += steps;
    // A point that starts a non-empty walk is a point of the stroke.
    if (grid && steps != 0) {
      const int32_t distance = grid->squaredDistance(from);
      if (distance > grid->squaredRadius())
        return false;
      lowerBound += distance;
    }
  }
  result = MappedStroke{size, lowerBound};
  return true;
}

bool LazyNormalisedStroke::reset(const Stroke& source, const StrokeScaling& scaling,
                                 const DistanceGrid* grid) {
  ownMapped_.resize(source.size());
  MappedStroke stroke;
  const bool reached = MapStroke(source, scaling, grid, ownMapped_.data(), stroke);
  if (reached)
    reset(ownMapped_.data(), source.size(), stroke);
  else
    reset(nullptr, 0, MappedStroke{});
  return reached;
}

void LazyNormalisedStroke::reset(const WalkPoint* mapped, size_t count, const MappedStroke& stroke,
                                 const DistanceGrid* grid) {
  grid_ = grid;
  lowerBoundAhead_ = grid ? stroke.lowerBound : 0;
  mapped_ = mapped;
  mappedCount_ = count;
  size_ = stroke.size;
  lowerBound_ = stroke.lowerBound;
  nextSegment_ = 0;
  laidOut_ = 0;
  buffer_.prepare(size_);
  readable_ = size_ == 0 ? kWalkPadding : 0;
}

static_assert(kWalkPadding + 1 >= kShortLineWalk, "a short walk at the end writes into the padding");

void LazyNormalisedStroke::layOutThrough(size_t index) {
  // A few points beyond the one asked for: walks move on to them next.
  constexpr size_t kAhead = 32;
  WalkPoint* const start = buffer_.data();
  WalkPoint* out = start + laidOut_;
  while (laidOut_ <= index + kAhead && nextSegment_ + 1 < mappedCount_) {
    const Point from = ToPoint(mapped_[nextSegment_]);
    out = WriteLineWalk(from, ToPoint(mapped_[nextSegment_ + 1]), out);
    const size_t laidOut = static_cast<size_t>(out - start);
    // The same points MapStroke looked up: those that start a walk.
    if (grid_ && laidOut != laidOut_)
      lowerBoundAhead_ -= grid_->squaredDistance(from);
    laidOut_ = laidOut;
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

bool LazyNormalisedStroke::within(const DistanceGrid& grid) const {
  // Every mapped point that starts a non-empty walk is a point of the stroke.
  for (size_t i = 0; i + 1 < mappedCount_; ++i)
    if (ToPoint(mapped_[i]) != ToPoint(mapped_[i + 1]) && !grid.reaches(ToPoint(mapped_[i])))
      return false;
  return true;
}
