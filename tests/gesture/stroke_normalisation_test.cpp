// The recognizer's shortcuts must agree with the plain computation: the
// lazily laid-out normalised stroke with the walked one, and the distance
// grid with the distances themselves.
#include "gesture/stroke_normalisation.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "gesture/distance_grid.h"

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

TEST(DistanceGrid, IsTheSquaredDistanceToTheNearestPointWithinTheRadiusOrTheReach) {
  std::mt19937 random(5);
  struct Case { int points, spread, radius, box; };
  // Random strokes, the radius from nothing to beyond the square's diagonal.
  std::vector<Case> cases;
  for (int n = 0; n < 12; ++n)
    cases.push_back({2 + n % 7, n % 3 ? 500 : 20, (n * 11) % 45, 100});
  cases.push_back({12, 500, 0, 100});
  cases.push_back({12, 500, 150, 100});
  cases.push_back({30, 500, 9, 37});
  cases.push_back({1, 500, 30, 100});  // one point: an empty stroke, nothing in reach
  for (const Case& c : cases) {
    const Stroke source = RandomStroke(random, c.points, c.spread);
    const Stroke stroke = NormaliseStroke(source, *BoundingBoxOf(source), c.box);
    const DistanceGrid grid(stroke, c.radius, c.box, DistanceGrid::Detail::kDistances);
    const DistanceGrid reach(stroke, c.radius, c.box, DistanceGrid::Detail::kReach);
    const int32_t r2 = c.radius * c.radius;
    int reachable = 0;
    for (int y = 0; y <= c.box; ++y)
      for (int x = 0; x <= c.box; ++x) {
        int32_t nearest = INT32_MAX;
        for (const Point& q : stroke)
          nearest = std::min(nearest, (x - q.x) * (x - q.x) + (y - q.y) * (y - q.y));
        const int32_t value = grid.squaredDistance(Point{x, y});
        if (nearest <= r2)
          ASSERT_EQ(value, nearest) << c.points << " r" << c.radius << " at " << x << "," << y;
        else
          ASSERT_GT(value, r2) << c.points << " r" << c.radius << " at " << x << "," << y;
        ASSERT_EQ(grid.reaches(Point{x, y}), nearest <= r2);
        // The reach alone: never out of reach where a point is within it,
        // and out of reach a little beyond it (or there is no point).
        const int32_t reachValue = reach.squaredDistance(Point{x, y});
        ASSERT_TRUE(reachValue == 0 || reachValue > r2) << reachValue;
        if (nearest <= r2) {
          ASSERT_TRUE(reach.reaches(Point{x, y})) << x << "," << y;
        }
        const int32_t wide = (c.radius + 3) * (c.radius + 3);
        if (nearest > wide) {
          ASSERT_FALSE(reach.reaches(Point{x, y})) << x << "," << y;
        }
        if (reach.reaches(Point{x, y})) ++reachable;
      }
    if (c.radius < 20 && c.box == 100 && !stroke.empty()) {
      EXPECT_LT(reachable, (c.box + 1) * (c.box + 1)) << "the reach refuses nothing";
    }
    // Outside the square, and without a grid, nothing is known.
    EXPECT_EQ(grid.squaredDistance(Point{-1, 0}), 0);
    EXPECT_EQ(grid.squaredDistance(Point{0, c.box + 1}), 0);
  }
  EXPECT_EQ(DistanceGrid(Stroke{{0, 0}}, 5, DistanceGrid::kMaxSide + 1, DistanceGrid::Detail::kDistances)
                .squaredDistance(Point{9, 9}),
            0);
}

}  // namespace
