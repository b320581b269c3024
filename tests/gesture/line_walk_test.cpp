// The portable line walk: exact points for small segments, and the walk's
// invariants over every direction.
#include "gesture/line_walk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

Stroke Walk(Point from, Point to) {
  Stroke out;
  AppendLineWalk(from, to, out);
  return out;
}

TEST(LineWalk, SmallSegmentsGiveTheseExactPoints) {
  struct Case { Point from, to; Stroke expected; };
  const Case cases[] = {
      {{0, 0}, {0, 0}, {}},
      {{5, 5}, {8, 5}, {{5, 5}, {6, 5}, {7, 5}}},
      {{5, 5}, {5, 2}, {{5, 5}, {5, 4}, {5, 3}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
      {{0, 0}, {-2, 2}, {{0, 0}, {-1, 1}}},
      {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 1}}},
      {{0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}}},
      {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {{0, 0}, {-4, -1}, {{0, 0}, {-1, 0}, {-2, 0}, {-3, -1}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Walk(c.from, c.to), c.expected) << c.to.x << "," << c.to.y;
}

TEST(LineWalk, AppendsAfterWhatIsThere) {
  Stroke out{{9, 9}};
  AppendLineWalk({0, 0}, {2, 0}, out);
  EXPECT_EQ(out, (Stroke{{9, 9}, {0, 0}, {1, 0}}));
}

TEST(LineWalk, EveryDirectionStepsOnceAlongTheLongAxisAndFollowsTheLine) {
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> coordinate(-60, 60);
  for (int n = 0; n < 3000; ++n) {
    const Point from{coordinate(random), coordinate(random)};
    const Point to{coordinate(random), coordinate(random)};
    const Stroke walk = Walk(from, to);
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    ASSERT_EQ(walk.size(), static_cast<size_t>(steps));
    if (steps == 0)
      continue;
    EXPECT_EQ(walk.front(), from);
    for (size_t i = 0; i < walk.size(); ++i) {
      const Point next = i + 1 < walk.size() ? walk[i + 1] : to;
      const int sx = next.x - walk[i].x, sy = next.y - walk[i].y;
      ASSERT_LE(std::abs(sx), 1);
      ASSERT_LE(std::abs(sy), 1);
      ASSERT_EQ(std::max(std::abs(sx), std::abs(sy)), 1);
      // Within half a cell of the ideal line along the short axis.
      const double t = static_cast<double>(i) / steps;
      const double idealX = from.x + t * dx, idealY = from.y + t * dy;
      ASSERT_LE(std::abs(walk[i].x - idealX), 0.5 + 1e-9) << from.x << "," << from.y << " " << i;
      ASSERT_LE(std::abs(walk[i].y - idealY), 0.5 + 1e-9) << from.x << "," << from.y << " " << i;
    }
  }
}

TEST(LineWalk, TheWalkWithinTheSquareWritesTheSamePoints) {
  constexpr int32_t kSide = kLargestWalkSide;
  std::mt19937 random(4321);
  std::uniform_int_distribution<int> coordinate(0, 300);
  std::vector<std::pair<Point, Point>> segments{
      {{0, 0}, {0, 0}}, {{0, 0}, {kSide, kSide}}, {{kSide, 0}, {0, kSide - 1}}, {{kSide, 7}, {kSide - 3, 9}}};
  for (int n = 0; n < 2000; ++n)
    segments.push_back({{coordinate(random), coordinate(random)}, {coordinate(random), coordinate(random)}});
  for (const auto& [from, to] : segments) {
    const Stroke expected = Walk(from, to);
    ASSERT_EQ(LineWalkLength(from, to), expected.size());
    // Room for at least a short walk's points, as the walk asks.
    std::vector<WalkPoint> quick(std::max<size_t>(expected.size(), kShortLineWalk), WalkPoint{-1, -1});
    EXPECT_EQ(WriteLineWalk(from, to, quick.data()), quick.data() + expected.size());
    quick.resize(expected.size());
    Stroke written;
    for (const WalkPoint& p : quick) written.push_back(ToPoint(p));
    EXPECT_EQ(written, expected) << from.x << "," << from.y << " -> " << to.x << "," << to.y;
  }
}

}  // namespace
