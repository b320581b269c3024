// The popup menus' geometry: grid column counts, column sizes and cells,
// the scroll limit and where a popup opens against the work area.
#include "ui/menu_layout.h"

#include <gtest/gtest.h>

namespace {

std::vector<ZEntrySize> Items(size_t count, int width, int height) {
  return std::vector<ZEntrySize>(count, ZEntrySize{true, width, height});
}

constexpr ZMenuMargins kModern{2, 2, 2, 2};

TEST(MatrixMenuLayout, ColumnsAreTheFirstGridAtLeastAsWideAsHigh) {
  struct Case {
    size_t count;
    int width, height;
    size_t columns, rows;
  };
  const Case cases[] = {
      {5, 32, 32, 3, 2},   // 1 and 2 columns are taller than wide; 3 x 40 >= 2 x 40
      {1, 32, 32, 1, 1},   {4, 32, 32, 2, 2},  {10, 32, 32, 4, 3},
      {6, 72, 32, 2, 3},   // wide items: 2 x 80 >= 3 x 40
      {6, 32, 72, 4, 2},   // tall items
      {0, 0, 0, 1, 0},     // nothing to show: one column, no rows
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatrixColumns(c.count, c.width, c.height), c.columns) << c.count << " " << c.width << "x" << c.height;
    const ZMenuLayout layout = MatrixLayout(Items(c.count, c.width, c.height), kModern, 0);
    EXPECT_EQ(MatrixRows(c.count, c.columns), c.rows);
    EXPECT_EQ(layout.width, static_cast<int>(c.columns) * (c.width + 8) + 4);
    EXPECT_EQ(layout.height, static_cast<int>(c.rows) * (c.height + 8) + 4);
  }
}

TEST(MatrixMenuLayout, ItemsFillRowByRowCentredInTheirCells) {
  const ZMenuLayout layout = MatrixLayout(Items(5, 32, 32), ZMenuMargins{3, 3, 3, 3}, 0);
  ASSERT_EQ(layout.cells.size(), 5u);
  EXPECT_EQ(layout.cells[0], (ZMenuRect{3, 3, 43, 43}));
  EXPECT_EQ(layout.cells[2], (ZMenuRect{83, 3, 123, 43}));
  EXPECT_EQ(layout.cells[3], (ZMenuRect{3, 43, 43, 83}));
  EXPECT_EQ(layout.items[4], (ZMenuRect{47, 47, 79, 79}));
  // Two fixed columns instead.
  EXPECT_EQ(MatrixLayout(Items(5, 32, 32), kModern, 2).height, 3 * 40 + 4);
}

TEST(ColumnMenuLayout, AColumnWithoutLimitShowsEveryRow) {
  // An item 50 by 16, a separator, an item 30 by 20.
  const std::vector<ZEntrySize> entries = {{true, 50, 16}, {false, 0, 0}, {true, 30, 20}};
  const ZMenuLayout layout = ColumnLayout(entries, ZMenuMargins{3, 3, 3, 3}, 0, 0, false);
  EXPECT_FALSE(layout.scrolls);
  EXPECT_EQ(layout.width, 3 + 3 + 50 + 8);
  EXPECT_EQ(layout.height, 3 + 3 + 36 + 3 * 8);
  EXPECT_EQ(layout.cells[0], (ZMenuRect{3, 3, 61, 27}));
  EXPECT_EQ(layout.items[0], (ZMenuRect{7, 7, 57, 23}));
  EXPECT_EQ(layout.cells[1], (ZMenuRect{3, 27, 61, 35}));
  EXPECT_TRUE(layout.items[1].empty());
  EXPECT_EQ(layout.items[2], (ZMenuRect{7, 39, 37, 59}));
  // A submenu mark widens every row by 8.
  EXPECT_EQ(ColumnLayout(entries, ZMenuMargins{3, 3, 3, 3}, 0, 0, true).cells[0].right, 69);
}

TEST(ColumnMenuLayout, MoreEntriesThanTheLimitScrollBetweenTwoZones) {
  const ZMenuLayout layout = ColumnLayout(Items(15, 40, 16), kModern, 10, 0, true);
  ASSERT_TRUE(layout.scrolls);
  EXPECT_EQ(layout.height, 24 * 9 + 4 + 16);
  EXPECT_EQ(layout.upperZone, (ZMenuRect{2, 2, 58, 10}));
  EXPECT_EQ(layout.lowerZone, (ZMenuRect{2, layout.height - 10, 58, layout.height - 2}));
  size_t shown = 0;
  for (const ZMenuRect& cell : layout.cells) shown += cell.empty() ? 0 : 1;
  EXPECT_EQ(shown, 9u);
  EXPECT_EQ(layout.cells[0].top, 10);
  // Scrolled by three: the first three have no cell, the fourth is on top.
  const ZMenuLayout scrolled = ColumnLayout(Items(15, 40, 16), kModern, 10, 3, true);
  EXPECT_TRUE(scrolled.cells[2].empty());
  EXPECT_EQ(scrolled.cells[3].top, 10);
  EXPECT_FALSE(scrolled.cells[11].empty());
  EXPECT_TRUE(scrolled.cells[12].empty());
  // Exactly as many entries as the limit: no scrolling.
  EXPECT_FALSE(ColumnLayout(Items(10, 40, 16), kModern, 10, 0, false).scrolls);
}

TEST(ColumnMenuLayout, ScrollingDownStopsWhenTheLastEntryIsShown) {
  size_t first = 0, steps = 0;
  while (ColumnCanScrollDown(first, 10, 15)) ++first, ++steps;
  EXPECT_EQ(steps, 6u);
  const ZMenuLayout layout = ColumnLayout(Items(15, 40, 16), kModern, 10, first, false);
  EXPECT_FALSE(layout.cells[14].empty());
  EXPECT_LE(layout.cells[14].bottom, layout.lowerZone.top);
  EXPECT_FALSE(ColumnCanScrollDown(0, 0, 15));  // no limit, no scrolling
}

TEST(PopupPlacement, OpensRightAndDownUnlessTheWorkAreaEnds) {
  const ZMenuRect work{0, 0, 1024, 740};
  struct Case {
    ZMenuRect anchor;
    bool submenu;
    ZMenuPoint expected;
  };
  const Case cases[] = {
      {{100, 100, 100, 100}, false, {100, 100}},    // room everywhere
      {{1000, 100, 1000, 100}, false, {901, 100}},  // right edge: to the left
      {{100, 700, 100, 700}, false, {100, 501}},    // bottom edge: upward
      {{1000, 700, 1000, 700}, false, {901, 501}},  // the corner: both
      {{300, 100, 400, 120}, true, {400, 98}},      // a submenu lines up its first item
      {{300, 700, 400, 720}, true, {400, 523}},     // ... and rises to the anchor's bottom
      {{10, 100, 1020, 120}, false, {924, 100}},    // no room either side: at the right edge
  };
  for (const Case& c : cases)
    EXPECT_EQ(PopupPosition(c.anchor, 100, 200, work, c.submenu, kModern), c.expected)
        << c.anchor.left << "," << c.anchor.top;
  // Too high for room above or below the anchor: at the work area's bottom.
  EXPECT_EQ(PopupPosition(ZMenuRect{100, 600, 120, 650}, 100, 700, work, false, kModern), (ZMenuPoint{120, 40}));
}

}  // namespace
