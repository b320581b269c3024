// The pairing walk's four-at-a-time steps: the SSE2 ones must answer as the
// portable ones (the definition) do, on points of the square and on the
// padding that follows every stroke.
#include "gesture/stroke_pairing.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

#ifdef ZAVOTRA_WALK_SSE2
TEST(WalkLanes, Sse2StepsAnswerAsThePortableOnes) {
  std::mt19937 random(2024);
  for (const int side : {6, 100, kLargestWalkSide}) {
    std::uniform_int_distribution<int> coordinate(0, side);
    std::uniform_int_distribution<int> padded(0, 3);
    for (int n = 0; n < 4000; ++n) {
      std::vector<WalkPoint> q(5);
      for (WalkPoint& point : q)
        point = padded(random) == 0 && n % 2 ? kFarWalkPoint
                                             : WalkPoint{static_cast<int16_t>(coordinate(random)),
                                                         static_cast<int16_t>(coordinate(random))};
      const WalkPoint p{static_cast<int16_t>(coordinate(random)), static_cast<int16_t>(coordinate(random))};
      const int32_t r2 = std::min(kLargestWalkSquare, coordinate(random) * coordinate(random));

      int32_t portableDistance = -1, sse2Distance = -1;
      const unsigned first = walk_lanes::portable::FirstWithin(p, q.data(), r2, portableDistance);
      ASSERT_EQ(walk_lanes::sse2::FirstWithin(p, q.data(), r2, sse2Distance), first);
      if (first < 4) {
        ASSERT_EQ(sse2Distance, portableDistance);
      }

      const unsigned steps = walk_lanes::portable::StepsCloser(p, q.data(), portableDistance);
      ASSERT_EQ(walk_lanes::sse2::StepsCloser(p, q.data(), sse2Distance), steps);
      if (steps < 4) {
        ASSERT_EQ(sse2Distance, portableDistance);
      }
    }
  }
}
#endif

TEST(WalkLanes, PortableStepsFollowTheirDefinition) {
  const std::vector<WalkPoint> q{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
  int32_t distance = 0;
  // From (9,0) every next point is closer: four steps, and the caller goes on.
  EXPECT_EQ(walk_lanes::portable::StepsCloser(WalkPoint{9, 0}, q.data(), distance), 4u);
  EXPECT_EQ(walk_lanes::portable::StepsCloser(WalkPoint{2, 1}, q.data(), distance), 2u);
  EXPECT_EQ(distance, 1);
  EXPECT_EQ(walk_lanes::portable::FirstWithin(WalkPoint{5, 0}, q.data(), 4, distance), 3u);
  EXPECT_EQ(distance, 4);
  EXPECT_EQ(walk_lanes::portable::FirstWithin(WalkPoint{9, 0}, q.data(), 4, distance), 4u);
  // The padding is never within reach, nor ever closer.
  const std::vector<WalkPoint> end{{0, 0}, kFarWalkPoint, kFarWalkPoint, kFarWalkPoint, kFarWalkPoint};
  EXPECT_EQ(walk_lanes::portable::FirstWithin(WalkPoint{kLargestWalkSide, kLargestWalkSide}, end.data() + 1,
                                              kLargestWalkSquare, distance),
            4u);
  EXPECT_EQ(walk_lanes::portable::StepsCloser(WalkPoint{kLargestWalkSide, 0}, end.data(), distance), 0u);
}

}  // namespace
