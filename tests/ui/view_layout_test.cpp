// The geometry of the action views: the item grid, the page heights of the
// container, the animation steps and the collapsed strip.
#include <gtest/gtest.h>

#include "ui/view_layout.h"

TEST(ViewLayout, ItemsGoFiftySevenApartAndWrapBeforeTheRightMargin) {
  // 570 wide: x + 57 must stay within 526, so x 12 .. 468 is one row of 9.
  const auto places = ItemPlaces(11, 570);
  ASSERT_EQ(places.size(), 11u);
  EXPECT_EQ(places[0], (ZItemPlace{12, 0}));
  EXPECT_EQ(places[1], (ZItemPlace{69, 0}));
  EXPECT_EQ(places[8], (ZItemPlace{468, 0}));
  EXPECT_EQ(places[9], (ZItemPlace{12, 67}));
  EXPECT_EQ(places[10], (ZItemPlace{69, 67}));
  // A narrow view still places one item a row.
  const auto narrow = ItemPlaces(3, 80);
  EXPECT_EQ(narrow[1], (ZItemPlace{12, 67}));
  EXPECT_EQ(narrow[2], (ZItemPlace{12, 134}));
  EXPECT_TRUE(ItemPlaces(0, 570).empty());
}

TEST(ViewLayout, TheOpenPageTakesWhatTheCollapsedPagesAndLabelsLeave) {
  // The main window's container: 392 high from 81, three pages.
  const auto middle = PageSpans(81, 392, 3, 1);
  ASSERT_EQ(middle.size(), 3u);
  EXPECT_EQ(middle[0], (ZPageSpan{81, 47}));
  EXPECT_EQ(middle[1], (ZPageSpan{150, 231}));  // 392 - 2 * 47 - 3 * 22 - 1
  EXPECT_EQ(middle[2], (ZPageSpan{403, 47}));
  EXPECT_EQ(middle[2].viewTop() + middle[2].height, 472);  // one pixel to spare at the bottom
  const auto last = PageSpans(81, 392, 3, 2);
  EXPECT_EQ(last[0], middle[0]);  // pages above both the old and the new one stay
  EXPECT_EQ(last[1], (ZPageSpan{150, 47}));
  EXPECT_EQ(last[2], (ZPageSpan{219, 231}));
}

TEST(ViewLayout, TheAnimationReachesTheNewPlaceInEqualSteps) {
  const ZPageSpan from{150, 231}, to{150, 47};
  EXPECT_EQ(SpanBetween(from, to, 1, 5), (ZPageSpan{150, 195}));
  EXPECT_EQ(SpanBetween(from, to, 4, 5), (ZPageSpan{150, 84}));
  EXPECT_EQ(SpanBetween(from, to, 5, 5), to);
  EXPECT_EQ(SpanBetween(ZPageSpan{403, 47}, ZPageSpan{219, 231}, 2, 5), (ZPageSpan{330, 120}));
}

TEST(ViewLayout, TheCollapsedStripShowsOnlyTheSymbolsThatFit) {
  EXPECT_EQ(StripWidth(3, 570), 78);
  EXPECT_EQ(StripSymbols(3, 570), 3u);
  // 554 wide: symbols at 0, 26, ... 520 fit whole (520 + 16 <= 554), 546 does not.
  EXPECT_EQ(StripWidth(100, 570), 554);
  EXPECT_EQ(StripSymbols(100, 570), 21u);
  EXPECT_EQ(StripSymbols(0, 570), 0u);
  EXPECT_EQ(StripSymbols(5, 20), 0u);  // no room at all
}
