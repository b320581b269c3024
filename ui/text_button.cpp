#include "ui/text_button.h"

namespace {
constexpr COLORREF kFrameShadow = 0x404040;
constexpr int kExtraWidth = 8;
constexpr int kExtraHeight = 4;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOPREFIX;

void Line(HDC dc, HPEN pen, const POINT* points, int count) {
  ZSelection selected(dc, pen);
  Polyline(dc, points, count);
}
}  // namespace

ZTextButton::ZTextButton(ZElementHost& owner, int command, POINT topLeft, const std::string& text, HFONT font)
    : ZButton(owner, command, topLeft), text_(text), ownFont_(font) {
  measure();
}

HFONT ZTextButton::font() const {
  return ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void ZTextButton::measure() {
  ZMemoryDC dc;
  RECT extent = {0, 0, 0, 0};
  if (dc) {
    ZSelection selected(dc.get(), font());
    DrawTextA(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &extent, kTextFormat | DT_CALCRECT);
  }
  growTo(extent.right - extent.left + kExtraWidth, extent.bottom - extent.top + kExtraHeight);
}

void ZTextButton::setText(const std::string& text) {
  invalidate();
  text_ = text;
  measure();
  invalidate();
}

void ZTextButton::moveTo(POINT topLeft) {
  const RECT& r = rect();
  setRect(RECT{topLeft.x, topLeft.y, topLeft.x + (r.right - r.left), topLeft.y + (r.bottom - r.top)});
}

RECT ZTextButton::textRect() const {
  const RECT& r = rect();
  if (!inside()) return RECT{r.left + 4, r.top + 2, r.right - 4, r.bottom - 2};
  if (pressed()) return RECT{r.left + 5, r.top + 3, r.right - 3, r.bottom - 1};
  return RECT{r.left + 3, r.top + 1, r.right - 5, r.bottom - 3};
}

void ZTextButton::drawFrame(HDC dc) const {
  const RECT& r = rect();
  ZPen dark(CreatePen(PS_SOLID, 1, kFrameShadow));
  HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
  // Light from the top left: a raised button is lit there, a sunken one shaded.
  if (pressed()) {
    const POINT lit[] = {{r.left, r.bottom}, {r.left, r.top}, {r.right - 1, r.top}};
    const POINT shaded[] = {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    Line(dc, dark.get(), lit, 3);
    Line(dc, white, shaded, 3);
  } else {
    const POINT lit[] = {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right - 1, r.top}};
    const POINT shaded[] = {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
    Line(dc, white, lit, 3);
    Line(dc, dark.get(), shaded, 3);
  }
}

void ZTextButton::paint(HDC dc, const RECT&) {
  if (inside()) drawFrame(dc);
  RECT area = textRect();
  ZSelection selected(dc, font());
  const int previousMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour = SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &area, kTextFormat);
  SetTextColor(dc, previousColour);
  SetBkMode(dc, previousMode);
}
