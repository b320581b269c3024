// The geometry of the program's popup menus, as plain numbers: the size and
// cells of a scrolling column menu and of a grid menu, where a popup opens
// against the work area, and how far a column may scroll.
#pragma once
#include <cstddef>
#include <vector>

struct ZMenuRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const ZMenuRect& a, const ZMenuRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

struct ZMenuMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The measured size of one entry; a separator has no item.
struct ZEntrySize {
  bool item = false;
  int width = 0, height = 0;
};

// Over all items (separators skipped): smallest, largest and summed sizes.
struct ZItemStatistics {
  int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
  int sumWidth = 0, sumHeight = 0;
  size_t items = 0;
};
ZItemStatistics MeasureEntries(const std::vector<ZEntrySize>& entries);

// Room around every item, between rows and cells, and the height of a scroll zone.
constexpr int kMenuPadding = 8;
constexpr int kScrollZoneHeight = 8;

// Where everything of a menu goes, in the menu window's coordinates.
struct ZMenuLayout {
  int width = 0, height = 0;
  std::vector<ZMenuRect> cells;  // per entry; empty when not shown
  std::vector<ZMenuRect> items;  // per entry, the item inside its cell; empty for separators
  bool scrolls = false;
  ZMenuRect upperZone, lowerZone;  // empty unless it scrolls
};

// A single column; `limit` is the visible-row limit (0 for none), `first`
// the first visible entry, `submenus` whether any item opens a submenu.
ZMenuLayout ColumnLayout(const std::vector<ZEntrySize>& entries, const ZMenuMargins& margins, size_t limit,
                         size_t first, bool submenus);
// Whether a column of `count` entries that shows from `first` may scroll
// one further down.
bool ColumnCanScrollDown(size_t first, size_t limit, size_t count);

// The automatic column count of a grid: the first at least as wide as it is high.
size_t MatrixColumns(size_t count, int maxWidth, int maxHeight);
// A grid of `columns` (0 chooses automatically), filled row by row.
ZMenuLayout MatrixLayout(const std::vector<ZEntrySize>& entries, const ZMenuMargins& margins, size_t columns);
// The rows of a grid of `count` entries in `columns`.
size_t MatrixRows(size_t count, size_t columns);

// The top left corner of a popup `width` by `height` anchored at `anchor`
// (screen coordinates) inside `work`: right of the anchor, else left of it;
// below its top, else above its bottom. A submenu moves up by the top margin
// so that its first item lines up with the anchor item.
struct ZMenuPoint {
  int x = 0, y = 0;
  friend bool operator==(const ZMenuPoint& a, const ZMenuPoint& b) { return a.x == b.x && a.y == b.y; }
};
ZMenuPoint PopupPosition(const ZMenuRect& anchor, int width, int height, const ZMenuRect& work, bool submenu,
                         const ZMenuMargins& margins);
