#include "ui/menu_style.h"

#include "common/gdi_objects.h"

namespace {

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
  ZBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

// A one-pixel polyline through `points` in `colour`.
void Line(HDC dc, COLORREF colour, std::initializer_list<POINT> points) {
  ZPen pen(CreatePen(PS_SOLID, 1, colour));
  ZSelection selected(dc, pen.get());
  Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

}  // namespace

ZClassicMenuStyle::ZClassicMenuStyle() : ZMenuStyle(GetSysColor(COLOR_MENU)) {}

std::unique_ptr<ZMenuStyle> ZClassicMenuStyle::clone() const { return std::make_unique<ZClassicMenuStyle>(*this); }

COLORREF ZClassicMenuStyle::textColour(bool highlighted, bool disabled) const {
  if (disabled) return GetSysColor(COLOR_BTNSHADOW);
  return GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
}

void ZClassicMenuStyle::drawFrame(HDC dc, int w, int h) const {
  Line(dc, GetSysColor(COLOR_BTNHIGHLIGHT), {{w - 3, 1}, {1, 1}, {1, h - 2}});
  Line(dc, GetSysColor(COLOR_BTNSHADOW), {{w - 2, 1}, {w - 2, h - 2}, {0, h - 2}});
  Line(dc, GetSysColor(COLOR_3DDKSHADOW), {{w - 1, 0}, {w - 1, h - 1}, {-1, h - 1}});
}

void ZClassicMenuStyle::fillItemBackground(HDC dc, const RECT& rect, bool highlighted, bool) const {
  FillColour(dc, rect, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU));
}

ZModernMenuStyle::ZModernMenuStyle() : ZMenuStyle(kLight) {}

std::unique_ptr<ZMenuStyle> ZModernMenuStyle::clone() const { return std::make_unique<ZModernMenuStyle>(*this); }

COLORREF ZModernMenuStyle::textColour(bool highlighted, bool disabled) const {
  if (disabled) return kDisabled;
  return highlighted ? kLight : kDark;
}

void ZModernMenuStyle::drawFrame(HDC dc, int w, int h) const {
  Line(dc, kDark, {{0, 0}, {0, h - 1}, {w - 1, h - 1}, {w - 1, 0}, {0, 0}});
}

void ZModernMenuStyle::fillItemBackground(HDC dc, const RECT& rect, bool highlighted, bool) const {
  FillColour(dc, rect, highlighted ? kDark : kLight);
}
