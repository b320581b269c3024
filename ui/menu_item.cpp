#include "ui/menu_item.h"

#include <algorithm>

#include "common/gdi_objects.h"
#include "gesture/symbol_icon.h"
#include "ui/menu.h"
#include "ui/menu_style.h"
#include "ui/symbol_silhouette.h"

namespace {

// Between a text and its key name.
constexpr int kKeyGap = 16;

HFONT InterfaceFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

SIZE TextExtent(const std::string& text) {
  ZWindowDC screen(nullptr);
  ZSelection font(screen.get(), InterfaceFont());
  SIZE size = {};
  GetTextExtentPoint32A(screen.get(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

void DrawLine(HDC dc, const std::string& text, RECT rect, UINT align) {
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect,
            align | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_NOCLIP);
}

}  // namespace

ZMenuItem::~ZMenuItem() = default;

void ZMenuItem::setSubmenu(std::unique_ptr<ZMenu> submenu) { submenu_ = std::move(submenu); }

void ZMenuItem::draw(HDC dc, const RECT& repaint, const ZMenuStyle& style) const {
  RECT common;
  if (!IntersectRect(&common, &rect_, &repaint)) return;
  if (highlighted() || disabled()) style.fillItemBackground(dc, rect_, highlighted(), disabled());
  drawContent(dc, style.textColour(highlighted(), disabled()));
}

SIZE ZTextMenuItem::measure() const {
  const size_t tab = text_.find('\t');
  if (tab == std::string::npos) return TextExtent(text_);
  const SIZE label = TextExtent(text_.substr(0, tab));
  const SIZE key = TextExtent(text_.substr(tab + 1));
  return SIZE{label.cx + kKeyGap + key.cx, std::max(label.cy, key.cy)};
}

void ZTextMenuItem::drawContent(HDC dc, COLORREF colour) const {
  ZSelection font(dc, InterfaceFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  const size_t tab = text_.find('\t');
  DrawLine(dc, text_.substr(0, tab), rect(), DT_LEFT);
  if (tab != std::string::npos) DrawLine(dc, text_.substr(tab + 1), rect(), DT_RIGHT);
}

SIZE ZSymbolMenuItem::measure() const { return SIZE{SymbolIcon::kSide, SymbolIcon::kSide}; }

void ZSymbolMenuItem::drawContent(HDC dc, COLORREF colour) const {
  ZIcon silhouette(CreateSymbolSilhouette(symbol_, colour));
  if (silhouette) DrawIconEx(dc, rect().left, rect().top, silhouette.get(), SymbolIcon::kSide, SymbolIcon::kSide, 0,
                             nullptr, DI_NORMAL);
}

SIZE ZWebsiteMenuItem::measure() const {
  if (!showWide_) return TextExtent(name_);
  ZWindowDC screen(nullptr);
  ZSelection font(screen.get(), InterfaceFont());
  SIZE size = {};
  GetTextExtentPoint32W(screen.get(), wideName_.data(), static_cast<int>(wideName_.size()), &size);
  return size;
}

void ZWebsiteMenuItem::drawContent(HDC dc, COLORREF colour) const {
  ZSelection font(dc, InterfaceFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT area = rect();
  const UINT format = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_NOCLIP;
  if (showWide_)
    DrawTextW(dc, wideName_.data(), static_cast<int>(wideName_.size()), &area, format);
  else
    DrawTextA(dc, name_.data(), static_cast<int>(name_.size()), &area, format);
}
