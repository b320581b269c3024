// The geometry of the action views, as plain numbers: where the items of an
// open view go, how high each page of the container is for the open one,
// the steps of the page animation and how much of a collapsed strip shows.
#pragma once
#include <cstddef>
#include <vector>

// The grid of an open view: items 57 apart from x 12, rows 67 apart.
constexpr int kItemStartX = 12;
constexpr int kItemWidth = 57;
constexpr int kItemHeight = 67;
constexpr int kItemRightMargin = 44;

struct ZItemPlace {
  int x = 0, y = 0;
  friend bool operator==(const ZItemPlace& a, const ZItemPlace& b) { return a.x == b.x && a.y == b.y; }
};
// Item positions in a view `viewWidth` wide, in item order.
std::vector<ZItemPlace> ItemPlaces(size_t count, int viewWidth);

// A page of the container: its label band (22 high) and below it the view.
constexpr int kLabelBand = 22;
constexpr int kCollapsedHeight = 47;
constexpr int kLabelLeft = 19;
constexpr int kLabelTop = 1;

struct ZPageSpan {
  int top = 0;     // the top of the label band
  int height = 0;  // the height of the view below it
  int viewTop() const { return top + kLabelBand; }
  friend bool operator==(const ZPageSpan& a, const ZPageSpan& b) { return a.top == b.top && a.height == b.height; }
};
// The pages from the container's top when page `open` is shown at full size.
std::vector<ZPageSpan> PageSpans(int containerTop, int containerHeight, size_t pages, size_t open);
// Step `step` of `steps` (1..steps) on the way from one span to another.
ZPageSpan SpanBetween(const ZPageSpan& from, const ZPageSpan& to, int step, int steps);

// The collapsed strip: small symbols 16 high, one every 26 pixels, inside a
// view `viewWidth` wide less 8 on each side.
constexpr int kStripInset = 8;
constexpr int kStripTop = 12;
constexpr int kStripSymbol = 16;
constexpr int kStripPitch = 26;
int StripWidth(size_t actions, int viewWidth);
// How many symbols show whole in a strip of that width.
size_t StripSymbols(size_t actions, int viewWidth);
