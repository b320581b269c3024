#include "gesture/distance_grid.h"

#include <algorithm>
#include <cstdlib>

// The exact squared distance transform in two passes: first the distance to
// the nearest stroke point of the same column, then along each row the
// lower envelope of the parabolas those distances make (as in Meijster,
// Roerdink and Hesselink, but without divisions: see rowDistances).
// Distances beyond the radius only matter as "out of reach", so columns
// whose nearest point is farther than that take no part.
DistanceGrid::DistanceGrid(const Stroke& stroke, int32_t radius, int32_t boxSize, Detail detail)
    : detail_(detail) {
  if (boxSize <= 0 || boxSize > kMaxSide || radius < 0)
    return;
  enabled_ = true;
  last_ = boxSize;
  side_ = static_cast<size_t>(boxSize) + 1;
  radius_ = std::min(radius, 2 * boxSize);  // farther than every two cells are apart
  r2_ = radius_ * radius_;
  cells_.assign(side_ * side_, r2_ + 1);
  if (stroke.empty())
    return;
  if (detail == Detail::kReach) {
    markReach(stroke);
    return;
  }

  std::vector<int32_t> vertical;
  columnDistances(stroke, vertical);
#ifdef ZAVOTRA_WALK_SSE2
  if (radius_ <= kNearbyRadius) {
    std::vector<int16_t> squares;
    for (size_t y = 0; y < side_; ++y)
      rowDistancesNearby(&vertical[y * side_], &cells_[y * side_], squares);
    return;
  }
#endif
  std::vector<int32_t> sites(side_);
  std::vector<int64_t> offsets(side_);
  for (size_t y = 0; y < side_; ++y)
    rowDistances(&vertical[y * side_], &cells_[y * side_], sites, offsets);
}

// Consecutive points of a normalised stroke are at most one step apart on
// each axis, so every point lies within kSampleSlack of the nearest sample
// taken every kSampleStep points: the discs of the samples, widened by that
// much, cover every cell within reach, and there are a quarter of them. Each
// disc adds one to the first cell of its span in each row and takes one off
// after the last; running sums along the rows then count the discs over
// each cell.
void DistanceGrid::markReach(const Stroke& stroke) {
  constexpr size_t kSampleStep = 4;
  constexpr int32_t kSampleSlack = 3;  // ceil(2 * sqrt(2)): two steps to the nearest sample
  const int32_t reach = radius_ + kSampleSlack;
  if (reach >= 2 * last_) {
    std::fill(cells_.begin(), cells_.end(), 0);  // every cell is within reach
    return;
  }
  // Half the width of a disc's span, by the row's distance from its centre.
  std::vector<int32_t> halfWidth(static_cast<size_t>(reach) + 1);
  for (int32_t dy = 0; dy <= reach; ++dy) {
    int32_t half = 0;
    while ((half + 1) * (half + 1) + dy * dy <= reach * reach)
      ++half;
    halfWidth[static_cast<size_t>(dy)] = half;
  }
  const size_t stride = side_ + 1;
  std::vector<int32_t> starts(side_ * stride, 0);
  auto markDisc = [&](const Point& p) {
    const int32_t fromY = std::max(0, p.y - reach), toY = std::min(last_, p.y + reach);
    for (int32_t y = fromY; y <= toY; ++y) {
      const int32_t half = halfWidth[static_cast<size_t>(std::abs(y - p.y))];
      int32_t* row = &starts[static_cast<size_t>(y) * stride];
      ++row[std::max(0, p.x - half)];
      --row[std::min(last_, p.x + half) + 1];
    }
  };
  for (size_t i = 0; i < stroke.size(); i += kSampleStep)
    markDisc(stroke[i]);
  markDisc(stroke.back());
  for (size_t y = 0; y < side_; ++y) {
    const int32_t* row = &starts[y * stride];
    int32_t* cells = &cells_[y * side_];
    int32_t discs = 0;
    for (size_t x = 0; x < side_; ++x) {
      discs += row[x];
      cells[x] = discs > 0 ? 0 : r2_ + 1;
    }
  }
}

// Row by row, so that the loops run along memory: the distance from each
// cell down to the nearest stroke point above it or at it, then up from
// below; capped just beyond the radius.
void DistanceGrid::columnDistances(const Stroke& stroke, std::vector<int32_t>& vertical) const {
  const int32_t far = radius_ + 1;
  vertical.assign(side_ * side_, far);
  for (const Point& p : stroke)
    vertical[static_cast<size_t>(p.y) * side_ + static_cast<size_t>(p.x)] = 0;
  for (size_t y = 1; y < side_; ++y) {
    const int32_t* above = &vertical[(y - 1) * side_];
    int32_t* row = &vertical[y * side_];
    for (size_t x = 0; x < side_; ++x)
      row[x] = std::min(row[x], std::min(above[x] + 1, far));
  }
  for (size_t y = side_ - 1; y-- > 0;) {
    const int32_t* below = &vertical[(y + 1) * side_];
    int32_t* row = &vertical[y * side_];
    for (size_t x = 0; x < side_; ++x)
      row[x] = std::min(row[x], below[x] + 1);
  }
}

// One row: cell x gets min over columns u of (x - u)^2 + column[u]^2, which
// is x^2 plus the lowest at x of the lines -2u x + u^2 + column[u]^2. Their
// slopes fall as u grows, so the lowest of them make a convex chain that
// one pass builds (a line goes when the next one meets the line before it
// no later than it does, compared by cross-multiplying, without a
// division) and another pass reads from left to right.
void DistanceGrid::rowDistances(const int32_t* column, int32_t* row, std::vector<int32_t>& sites,
                                std::vector<int64_t>& offsets) const {
  size_t count = 0;
  for (int32_t u = 0; u <= last_; ++u) {
    if (column[u] > radius_)
      continue;
    const int64_t offset = int64_t{u} * u + int64_t{column[u]} * column[u];
    // Line b is useless when line c meets line a no later than b does:
    // (offset_c - offset_a) / (2c - 2a) <= (offset_b - offset_a) / (2b - 2a).
    while (count >= 2) {
      const int32_t a = sites[count - 2], b = sites[count - 1];
      const int64_t oa = offsets[count - 2], ob = offsets[count - 1];
      if ((offset - oa) * (b - a) > (ob - oa) * (u - a))
        break;
      --count;
    }
    sites[count] = u;
    offsets[count] = offset;
    ++count;
  }
  if (count == 0)
    return;  // nothing within reach: the row stays out of reach
  size_t at = 0;
  for (int32_t x = 0; x <= last_; ++x) {
    // Lines further on take over as x grows.
    while (at + 1 < count &&
           offsets[at + 1] - 2 * int64_t{sites[at + 1]} * x <= offsets[at] - 2 * int64_t{sites[at]} * x)
      ++at;
    const int64_t lowest = int64_t{x} * x + offsets[at] - 2 * int64_t{sites[at]} * x;
    row[x] = lowest > r2_ ? r2_ + 1 : static_cast<int32_t>(lowest);
  }
}

#ifdef ZAVOTRA_WALK_SSE2
// The same row for a small radius, by looking at every column within the
// radius of each cell, eight cells at a time in 16 bits: quicker than the
// envelope's branches when the radius is small. The squares of the column
// distances are padded by the radius on both sides with a far value.
void DistanceGrid::rowDistancesNearby(const int32_t* column, int32_t* row,
                                      std::vector<int16_t>& squares) const {
  constexpr int16_t kFar = 16384;  // plus any squared offset still fits 16 bits
  const size_t pad = static_cast<size_t>(radius_);
  squares.assign(pad + side_ + pad + 8, kFar);
  for (size_t u = 0; u < side_; ++u)
    if (column[u] <= radius_)
      squares[pad + u] = static_cast<int16_t>(column[u] * column[u]);
  const __m128i cap = _mm_set1_epi16(static_cast<int16_t>(r2_ + 1));
  for (size_t x = 0; x < side_; x += 8) {
    const int16_t* at = &squares[pad + x];
    __m128i lowest = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    for (int32_t d = 1; d <= radius_; ++d) {
      const __m128i left = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at - d));
      const __m128i right = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + d));
      const __m128i nearer = _mm_add_epi16(_mm_min_epi16(left, right), _mm_set1_epi16(static_cast<int16_t>(d * d)));
      lowest = _mm_min_epi16(lowest, nearer);
    }
    lowest = _mm_min_epi16(lowest, cap);
    alignas(16) int16_t values[8];
    _mm_store_si128(reinterpret_cast<__m128i*>(values), lowest);
    for (size_t i = 0; i < 8 && x + i < side_; ++i)
      row[x + i] = values[i];
  }
}
#endif
