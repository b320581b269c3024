// Where the main window opens: the stored position when the whole window
// fits, centred otherwise, without overflowing on the off-screen default.
#include <gtest/gtest.h>

#include "shell/window_placement.h"

namespace {
constexpr int32_t kW = 573, kH = 511, kMax = 2147483647;
}

TEST(WindowPlacement, OnAMonitorTheStoredPlaceIsKeptOnlyWhenBothCornersAreInside) {
  const ZRect primary{0, 0, 1280, 1024};
  const ZRect right{1280, 0, 2560, 1024};
  struct Case { int32_t x, y; ZRect monitor; int32_t ex, ey; };
  const Case cases[] = {
      {100, 50, primary, 100, 50},
      {0, 0, primary, 0, 0},
      {707, 513, primary, 707, 513},          // bottom-right corner exactly on the last pixel
      {708, 513, primary, 353, 256},          // one pixel too far: centred
      {kMax, kMax, primary, 353, 256},        // the stored default
      {-10, 40, primary, 353, 256},
      {1300, 10, right, 1300, 10},
      {2200, 10, right, 1280 + 353, 256},     // centred on the monitor it was on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    const ZPoint p = PlaceOnMonitor(c.x, c.y, kW, kH, c.monitor);
    EXPECT_EQ(p.x, c.ex);
    EXPECT_EQ(p.y, c.ey);
  }
}

TEST(WindowPlacement, OnASingleScreenPositionsBelowOneOrPastTheEdgeAreCentred) {
  struct Case { int32_t x, y, ex, ey; };
  const Case cases[] = {{1, 1, 1, 1}, {0, 5, 353, 256}, {5, 0, 353, 256},
                        {707, 513, 707, 513}, {708, 10, 353, 256}, {kMax, kMax, 353, 256}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    const ZPoint p = PlaceOnScreen(c.x, c.y, kW, kH, 1280, 1024);
    EXPECT_EQ(p.x, c.ex);
    EXPECT_EQ(p.y, c.ey);
  }
}
