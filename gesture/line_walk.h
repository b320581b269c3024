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
// segments are a few points long, so this is quick for those: inline, 32-bit
// arithmetic (quick in 32-bit code too), no branch in the loop (whether the
// minor axis moves is as good as random), and a walk of up to
// kShortLineWalk points always writes that many, so that its loop has a
// fixed count. `out` needs room for max(|dx|, |dy|, kShortLineWalk) points;
// those past the end of the walk are left for whatever is written next.
constexpr int32_t kShortLineWalk = 8;

namespace line_walk_detail {
// `count` points of a walk (a constant, for short walks). Each step moves
// x by `xAlways` and y by `yAlways` (the major axis), and each by its
// `Sometimes` step as well when the error is positive (the minor axis), so
// that neither the axis nor the error needs a branch.
struct Steps {
  int32_t xAlways, yAlways, xSometimes, ySometimes, major, minor;

  WalkPoint* write(int32_t count, Point from, WalkPoint* out) const {
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
    steps.write(kShortLineWalk, from, out);
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
