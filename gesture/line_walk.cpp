#include "gesture/line_walk.h"

#include <cstdint>

namespace {

// Bresenham's walk with the error term of LineDDA: the minor coordinate steps
// when the error is strictly positive.
void Walk(int64_t major, int64_t minor, int64_t majorStep, int64_t minorStep, bool xMajor,
          Point from, Stroke& out) {
  int64_t x = from.x;
  int64_t y = from.y;
  int64_t err = 2 * minor - major;
  const int64_t stepAdd = 2 * minor - 2 * major;
  for (int64_t i = 0; i < major; ++i) {
    out.push_back(Point{static_cast<int32_t>(x), static_cast<int32_t>(y)});
    const bool minorMoves = err > 0;
    err += minorMoves ? stepAdd : 2 * minor;
    if (xMajor) {
      if (minorMoves)
        y += minorStep;
      x += majorStep;
    } else {
      if (minorMoves)
        x += minorStep;
      y += majorStep;
    }
  }
}

}  // namespace

void AppendLineWalk(Point from, Point to, Stroke& out) {
  int64_t dx = int64_t{to.x} - from.x;
  int64_t dy = int64_t{to.y} - from.y;
  const int64_t xStep = dx < 0 ? -1 : 1;
  const int64_t yStep = dy < 0 ? -1 : 1;
  dx = dx < 0 ? -dx : dx;
  dy = dy < 0 ? -dy : dy;
  if (dx > dy)
    Walk(dx, dy, xStep, yStep, true, from, out);
  else
    Walk(dy, dx, yStep, xStep, false, from, out);
}
