#include "ui/view_layout.h"

std::vector<ZItemPlace> ItemPlaces(size_t count, int viewWidth) {
  std::vector<ZItemPlace> places;
  places.reserve(count);
  int x = kItemStartX;
  int y = 0;
  for (size_t i = 0; i < count; ++i) {
    places.push_back(ZItemPlace{x, y});
    x += kItemWidth;
    if (viewWidth - kItemRightMargin < x + kItemWidth) {
      x = kItemStartX;
      y += kItemHeight;
    }
  }
  return places;
}

std::vector<ZPageSpan> PageSpans(int containerTop, int containerHeight, size_t pages, size_t open) {
  std::vector<ZPageSpan> spans;
  if (pages == 0) return spans;
  const int count = static_cast<int>(pages);
  const int openHeight = containerHeight - (count - 1) * kCollapsedHeight - count * kLabelBand - 1;
  int top = containerTop;
  for (size_t i = 0; i < pages; ++i) {
    const int height = i == open ? openHeight : kCollapsedHeight;
    spans.push_back(ZPageSpan{top, height});
    top += kLabelBand + height;
  }
  return spans;
}

ZPageSpan SpanBetween(const ZPageSpan& from, const ZPageSpan& to, int step, int steps) {
  if (steps <= 0 || step >= steps) return to;
  return ZPageSpan{from.top + (to.top - from.top) * step / steps,
                   from.height + (to.height - from.height) * step / steps};
}

int StripWidth(size_t actions, int viewWidth) {
  const int room = viewWidth - 2 * kStripInset;
  if (room <= 0) return 0;
  const long long wanted = static_cast<long long>(actions) * kStripPitch;
  return wanted < room ? static_cast<int>(wanted) : room;
}

size_t StripSymbols(size_t actions, int viewWidth) {
  const int width = StripWidth(actions, viewWidth);
  if (width < kStripSymbol) return 0;
  const size_t fit = static_cast<size_t>((width - kStripSymbol) / kStripPitch + 1);
  return fit < actions ? fit : actions;
}
