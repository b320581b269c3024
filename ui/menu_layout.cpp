#include "ui/menu_layout.h"

#include <algorithm>

ZItemStatistics MeasureEntries(const std::vector<ZEntrySize>& entries) {
  ZItemStatistics s;
  for (const ZEntrySize& entry : entries) {
    if (!entry.item) continue;
    if (s.items == 0 || entry.width < s.minWidth) s.minWidth = entry.width;
    if (s.items == 0 || entry.height < s.minHeight) s.minHeight = entry.height;
    s.maxWidth = std::max(s.maxWidth, entry.width);
    s.maxHeight = std::max(s.maxHeight, entry.height);
    s.sumWidth += entry.width;
    s.sumHeight += entry.height;
    ++s.items;
  }
  return s;
}

namespace {

// An item of `width` by `height` 4 pixels from the cell's left, centred vertically.
ZMenuRect ItemInRow(const ZMenuRect& cell, int width, int height) {
  const int top = cell.top + (cell.height() - height) / 2;
  const int left = cell.left + kMenuPadding / 2;
  return ZMenuRect{left, top, left + width, top + height};
}

}  // namespace

ZMenuLayout ColumnLayout(const std::vector<ZEntrySize>& entries, const ZMenuMargins& margins, size_t limit,
                         size_t first, bool submenus) {
  const ZItemStatistics s = MeasureEntries(entries);
  ZMenuLayout layout;
  const int mark = submenus ? kMenuPadding : 0;  // room for the submenu mark
  const int rowWidth = s.maxWidth + kMenuPadding + mark;
  layout.width = margins.left + margins.right + rowWidth;
  layout.scrolls = limit != 0 && limit < entries.size();
  int top = margins.top;
  int bottom = 0;  // the lowest a shown row may reach
  if (layout.scrolls) {
    layout.height = (s.minHeight + kMenuPadding) * static_cast<int>(limit - 1) + margins.top + margins.bottom +
                    2 * kScrollZoneHeight;
    layout.upperZone = ZMenuRect{margins.left, margins.top, margins.left + rowWidth, margins.top + kScrollZoneHeight};
    layout.lowerZone = ZMenuRect{margins.left, layout.height - margins.bottom - kScrollZoneHeight,
                                 margins.left + rowWidth, layout.height - margins.bottom};
    top = layout.upperZone.bottom;
    bottom = layout.lowerZone.top;
  } else {
    layout.height = margins.top + margins.bottom + s.sumHeight + static_cast<int>(entries.size()) * kMenuPadding;
    bottom = layout.height - margins.bottom;
  }
  layout.cells.resize(entries.size());
  layout.items.resize(entries.size());
  int y = top;
  for (size_t i = first; i < entries.size(); ++i) {
    const ZEntrySize& entry = entries[i];
    const int rowHeight = entry.item ? entry.height + kMenuPadding : kMenuPadding;
    const ZMenuRect cell{margins.left, y, margins.left + rowWidth, y + rowHeight};
    y += rowHeight;
    if (cell.bottom > bottom) continue;  // below the visible area: no cell
    layout.cells[i] = cell;
    if (entry.item) layout.items[i] = ItemInRow(cell, entry.width, entry.height);
  }
  return layout;
}

bool ColumnCanScrollDown(size_t first, size_t limit, size_t count) { return limit != 0 && first + limit - 1 < count; }

size_t MatrixRows(size_t count, size_t columns) { return columns ? (count + columns - 1) / columns : 0; }

size_t MatrixColumns(size_t count, int maxWidth, int maxHeight) {
  const long long cellWidth = maxWidth + kMenuPadding;
  const long long cellHeight = maxHeight + kMenuPadding;
  for (size_t c = 1; c <= count; ++c)
    if (cellWidth * static_cast<long long>(c) >= cellHeight * static_cast<long long>(MatrixRows(count, c))) return c;
  return 1;  // no items: one empty column
}

ZMenuLayout MatrixLayout(const std::vector<ZEntrySize>& entries, const ZMenuMargins& margins, size_t columns) {
  const ZItemStatistics s = MeasureEntries(entries);
  if (columns == 0) columns = MatrixColumns(entries.size(), s.maxWidth, s.maxHeight);
  const size_t rows = MatrixRows(entries.size(), columns);
  const int cellWidth = s.maxWidth + kMenuPadding;
  const int cellHeight = s.maxHeight + kMenuPadding;
  ZMenuLayout layout;
  layout.width = cellWidth * static_cast<int>(columns) + margins.left + margins.right;
  layout.height = cellHeight * static_cast<int>(rows) + margins.top + margins.bottom;
  layout.cells.resize(entries.size());
  layout.items.resize(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const int left = margins.left + cellWidth * static_cast<int>(i % columns);
    const int top = margins.top + cellHeight * static_cast<int>(i / columns);
    layout.cells[i] = ZMenuRect{left, top, left + cellWidth, top + cellHeight};
    const ZEntrySize& entry = entries[i];
    if (!entry.item) continue;
    const int x = left + (cellWidth - entry.width) / 2;
    const int y = top + (cellHeight - entry.height) / 2;
    layout.items[i] = ZMenuRect{x, y, x + entry.width, y + entry.height};
  }
  return layout;
}

ZMenuPoint PopupPosition(const ZMenuRect& anchor, int width, int height, const ZMenuRect& work, bool submenu,
                         const ZMenuMargins& margins) {
  ZMenuPoint at;
  at.x = anchor.right;
  if (at.x + width > work.right) {
    at.x = anchor.left - width + 1;
    if (at.x < work.left) at.x = work.right - width;
  }
  at.y = anchor.top - (submenu ? margins.top : 0);
  if (at.y + height > work.bottom) {
    at.y = anchor.bottom - height + 1 + (submenu ? margins.bottom : 0);
    if (at.y < work.top) at.y = work.bottom - height;
  }
  return at;
}
