// The recognizer's shortcuts must agree with the plain computation: the
// point-by-point normalised stroke with the walked one, and the reach grid
// must never rule out a point that is within the radius.
#include "gesture/stroke_normalisation.h"

#include <gtest/gtest.h>

#include <random>

#include "gesture/reach_grid.h"

namespace {

Stroke RandomStroke(std::mt19937& random, int points, int spread) {
  std::uniform_int_distribution<int> coordinate(-spread, spread);
  Stroke stroke;
  for (int i = 0; i < points; ++i)
    stroke.push_back(Point{coordinate(random), coordinate(random)});
  return stroke;
}

TEST(LazyNormalisedStroke, GivesTheWalkedPointsInAnyOrder) {
  std::mt19937 random(99);
  LazyNormalisedStroke lazy;
  for (int n = 0; n < 300; ++n) {
    const Stroke source = RandomStroke(random, 1 + n % 12, n % 2 ? 40 : 3000);
    const BoundingBox box = *BoundingBoxOf(source);
    const int boxSize = n % 3 ? 100 : 37;
    const Stroke expected = NormaliseStroke(source, box, boxSize);
    lazy.reset(source, StrokeScaling(box, boxSize));
    ASSERT_EQ(lazy.size(), expected.size());
    if (expected.empty())
      continue;
    std::uniform_int_distribution<size_t> index(0, expected.size() - 1);
    for (int k = 0; k < 50; ++k) {
      const size_t i = index(random);
      ASSERT_EQ(lazy[i], expected[i]) << n << " @" << i;
    }
    for (size_t i = expected.size(); i-- > 0;)
      ASSERT_EQ(lazy[i], expected[i]) << n << " @" << i;
    // The padding follows the last point, where walks may read it.
    lazy.readThrough(expected.size() + kWalkPadding - 1);
    for (size_t i = 0; i < kWalkPadding; ++i)
      ASSERT_EQ(ToPoint(lazy.data()[expected.size() + i]), ToPoint(kFarWalkPoint)) << n;
  }
}

TEST(ReachGrid, NeverRulesOutAPointWithinTheRadius) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> cell(-3, 103);
  for (int n = 0; n < 40; ++n) {
    const Stroke source = RandomStroke(random, 2 + n % 7, 500);
    const Stroke stroke = NormaliseStroke(source, *BoundingBoxOf(source), 100);
    const int radius = (n * 7) % 45;
    const ReachGrid grid(stroke, radius, 100);
    int ruledOut = 0;
    for (int k = 0; k < 2000; ++k) {
      const Point p{cell(random), cell(random)};
      if (grid.covers(p))
        continue;
      ++ruledOut;
      for (const Point& q : stroke) {
        const int dx = p.x - q.x, dy = p.y - q.y;
        ASSERT_GT(dx * dx + dy * dy, radius * radius) << n << ": (" << p.x << "," << p.y << ")";
      }
    }
    if (radius < 20 && !stroke.empty()) {
      EXPECT_GT(ruledOut, 0) << n;  // the grid must also be of some use
    }
  }
}

}  // namespace
