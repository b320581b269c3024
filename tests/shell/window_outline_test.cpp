// The outline traced around the opaque pixels of a mask, the way the main
// window's region is made from its skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/window_outline.h"

namespace {
struct Mask {
  std::vector<uint8_t> bits;
  int32_t width = 0, height = 0;
};

// Rows of '#' (opaque) and '.' (outside).
Mask FromRows(const std::vector<std::string>& rows) {
  Mask mask;
  mask.height = static_cast<int32_t>(rows.size());
  mask.width = static_cast<int32_t>(rows.front().size());
  for (const std::string& row : rows)
    for (char c : row) mask.bits.push_back(c == '#');
  return mask;
}

std::vector<ZPoint> Trace(const std::vector<std::string>& rows) {
  const Mask mask = FromRows(rows);
  return TraceOutline(mask.bits, mask.width, mask.height);
}

bool Same(const std::vector<ZPoint>& got, const std::vector<ZPoint>& want) {
  if (got.size() != want.size()) return false;
  for (size_t i = 0; i < got.size(); ++i)
    if (got[i].x != want[i].x || got[i].y != want[i].y) return false;
  return true;
}
}  // namespace

TEST(WindowOutline, ARectangleIsWalkedClockwiseFromItsTopLeftPixel) {
  const auto outline = Trace({"......", ".####.", ".####.", ".####.", "......"});
  EXPECT_TRUE(Same(outline, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {3, 3}, {2, 3}, {1, 3}, {1, 2}}));
}

TEST(WindowOutline, ConcaveCornersAndDiagonalStepsAreFollowed) {
  // An L: the walk turns into the notch and back out.
  const auto outline = Trace({"##..", "##..", "####", "####"});
  EXPECT_TRUE(Same(outline, {{0, 0}, {1, 0}, {1, 1}, {2, 2}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}, {0, 2}, {0, 1}}));
  // A diamond's edges are diagonal steps.
  const auto diamond = Trace({".#.", "###", ".#."});
  EXPECT_TRUE(Same(diamond, {{1, 0}, {2, 1}, {1, 2}, {0, 1}}));
}

TEST(WindowOutline, DegenerateMasksGiveNoneOrOnePoint) {
  EXPECT_TRUE(Trace({"...", "..."}).empty());
  EXPECT_TRUE(Same(Trace({"...", ".#.", "..."}), {{1, 1}}));
  EXPECT_TRUE(Same(Trace({"####"}), {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {2, 0}, {1, 0}}));
  EXPECT_TRUE(TraceOutline({}, 0, 0).empty());
  EXPECT_TRUE(TraceOutline({1, 1}, 4, 4).empty());  // fewer flags than pixels: refused
}
