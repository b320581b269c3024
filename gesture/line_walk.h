// The grid points of a straight segment, walked the way the Win32 LineDDA
// call walks them: the start point and every point after it up to, but not
// including, the end point; one point per unit step along the longer axis, the
// shorter coordinate following the line. A segment of length zero yields
// nothing. Portable, so the recognizer gives the same results everywhere.
#pragma once
#include <cstddef>
#include <cstdint>

#include "gesture/point.h"
#include "gesture/stroke.h"
#include "gesture/walk_point.h"


// Appends the walk from `from` to `to` (max(|dx|, |dy|) points) to `out`.
void AppendLineWalk(Point from, Point to, Stroke& out);

// The same walk written to `out`; returns the end of the walk. For points of
// the recognizer's square, as the pairing walks read them. Laying out shape
// strokes is much of what recognition does besides walking them, and most
// segments are a few points long, so this is quick for those: a walk of up
// to kShortLineWalk points is read from a table of the short walks and
// always writes that many points, without a branch or a loop. `out` needs
// room for max(|dx|, |dy|, kShortLineWalk) points; those past the end of
// the walk are left for whatever is written next.
constexpr int32_t kShortLineWalk = 8;

namespace line_walk_detail {

// `count` points of a walk with 32-bit arithmetic. Each step moves x by
// `xAlways` and y by `yAlways` (the major axis), and each by its `Sometimes`
// step as well when the error is positive (the minor axis), so that neither
// the axis nor the error needs a branch.
struct Steps {
  int32_t xAlways, yAlways, xSometimes, ySometimes, major, minor;

  constexpr WalkPoint* write(int32_t count, Point from, WalkPoint* out) const {
    int32_t x = from.x, y = from.y;
    int32_t err = 2 * minor - major;
    for (int32_t i = 0; i < count; ++i) {
      *out++ = WalkPoint{static_cast<int16_t>(x), static_cast<int16_t>(y)};
      const int32_t moves = -static_cast<int32_t>(err > 0);  // all ones when it steps
      err += 2 * minor - (moves & (2 * major));
      x += xAlways + (moves & xSometimes);
      y += yAlways + (moves & ySometimes);
    }
    return out;
  }
};

// The short walks from (0, 0) along x, by their major and minor lengths:
// kShortLineWalk points each (those past the walk's end continue the line).
struct ShortWalks {
  WalkPoint points[kShortLineWalk + 1][kShortLineWalk + 1][kShortLineWalk];
};
constexpr ShortWalks MakeShortWalks() {
  ShortWalks table{};
  for (int32_t major = 1; major <= kShortLineWalk; ++major)
    for (int32_t minor = 0; minor <= major; ++minor)
      Steps{1, 0, 0, 1, major, minor}.write(kShortLineWalk, Point{0, 0}, table.points[major][minor]);
  return table;
}
inline constexpr ShortWalks kShortWalks = MakeShortWalks();

// The short walk of `steps` from `from`: the table's points, turned onto
// the y axis when that is the major one, their signs set, moved to `from`.
inline void WriteShortWalk(const Steps& steps, bool xMajor, Point from, WalkPoint* out) {
#ifdef ZAVOTRA_WALK_SSE2
  const WalkPoint* walk = kShortWalks.points[steps.major][steps.minor];
  __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(walk));
  __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(walk + 4));
  // Swapping the 16-bit halves of each point turns it onto the y axis.
  const __m128i turn = _mm_set1_epi32(xMajor ? 0 : -1);
  auto turned = [&](__m128i v) {
    const __m128i swapped = _mm_shufflehi_epi16(_mm_shufflelo_epi16(v, 0xB1), 0xB1);
    return _mm_or_si128(_mm_and_si128(turn, swapped), _mm_andnot_si128(turn, v));
  };
  const int32_t xSign = steps.xAlways + steps.xSometimes;  // the walk's step along x, +-1
  const int32_t ySign = steps.yAlways + steps.ySometimes;
  const __m128i signs = _mm_set1_epi32(static_cast<int32_t>((static_cast<uint32_t>(ySign) << 16) |
                                                            (static_cast<uint32_t>(xSign) & 0xFFFF)));
  const __m128i start = _mm_set1_epi32(static_cast<int32_t>((static_cast<uint32_t>(from.y) << 16) |
                                                            (static_cast<uint32_t>(from.x) & 0xFFFF)));
  first = _mm_add_epi16(_mm_mullo_epi16(turned(first), signs), start);
  second = _mm_add_epi16(_mm_mullo_epi16(turned(second), signs), start);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), first);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4), second);
#else
  (void)xMajor;
  steps.write(kShortLineWalk, from, out);
#endif
}

}  // namespace line_walk_detail

inline WalkPoint* WriteLineWalk(Point from, Point to, WalkPoint* out) {
  const int32_t dx = to.x - from.x;
  const int32_t dy = to.y - from.y;
  const int32_t adx = dx < 0 ? -dx : dx;
  const int32_t ady = dy < 0 ? -dy : dy;
  const int32_t xStep = dx < 0 ? -1 : 1;
  const int32_t yStep = dy < 0 ? -1 : 1;
  const bool xMajor = adx > ady;  // LineDDA's choice: ties walk along y
  const line_walk_detail::Steps steps{xMajor ? xStep : 0, xMajor ? 0 : yStep, xMajor ? 0 : xStep,
                                      xMajor ? yStep : 0, xMajor ? adx : ady, xMajor ? ady : adx};
  if (steps.major <= kShortLineWalk) {
    line_walk_detail::WriteShortWalk(steps, xMajor, from, out);
    return out + steps.major;
  }
  return steps.write(steps.major, from, out);
}

// max(|dx|, |dy|): how many points the walk from `from` to `to` has, for
// points of the square.
inline size_t LineWalkLength(Point from, Point to) {
  const int32_t dx = to.x > from.x ? to.x - from.x : from.x - to.x;
  const int32_t dy = to.y > from.y ? to.y - from.y : from.y - to.y;
  return static_cast<size_t>(dx > dy ? dx : dy);
}
