#include "shell/window_outline.h"

#include <cstddef>

namespace {
// Direction d steps by kSteps[d]; y grows downwards, so 2 is up.
constexpr int kSteps[8][2] = {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}};
// Tried from the current direction: sharp left first, then round to behind.
constexpr int kTurns[] = {2, 1, 0, -1, -2, -3, -4};

bool Opaque(const std::vector<uint8_t>& opaque, int32_t width, int32_t height, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < width && y < height && opaque[static_cast<size_t>(y) * width + x] != 0;
}
}  // namespace

std::vector<ZPoint> TraceOutline(const std::vector<uint8_t>& opaque, int32_t width, int32_t height) {
  std::vector<ZPoint> outline;
  if (width <= 0 || height <= 0 || opaque.size() < static_cast<size_t>(width) * height) return outline;
  ZPoint start;
  bool found = false;
  for (int32_t y = 0; y < height && !found; ++y)
    for (int32_t x = 0; x < width && !found; ++x)
      if (Opaque(opaque, width, height, x, y)) {
        start = ZPoint{x, y};
        found = true;
      }
  if (!found) return outline;

  outline.push_back(start);
  ZPoint at = start;
  int direction = 0;
  // Every boundary pixel is entered at most once from each direction, so a
  // bitmap that never leads back to the start still ends.
  const size_t limit = static_cast<size_t>(width) * height * 8;
  for (size_t steps = 0; steps < limit; ++steps) {
    bool moved = false;
    for (int turn : kTurns) {
      const int next = (direction + turn + 8) % 8;
      const int32_t x = at.x + kSteps[next][0];
      const int32_t y = at.y + kSteps[next][1];
      if (!Opaque(opaque, width, height, x, y)) continue;
      at = ZPoint{x, y};
      direction = next;
      moved = true;
      break;
    }
    if (!moved || (at.x == start.x && at.y == start.y)) break;
    outline.push_back(at);
  }
  return outline;
}
