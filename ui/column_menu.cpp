#include "ui/column_menu.h"

#include "common/gdi_objects.h"

namespace {

// A menu entry's text as shown: single "&" marks go, "&&" is one "&".
std::string ShownText(const char* text) {
  std::string shown;
  for (const char* c = text; *c; ++c) {
    if (*c == '&') {
      if (c[1] != '&') continue;
      ++c;
    }
    shown += *c;
  }
  return shown;
}

// A small filled triangle through three points in `colour`.
void Triangle(HDC dc, COLORREF colour, POINT a, POINT b, POINT c) {
  ZBrush brush(CreateSolidBrush(colour));
  ZPen pen(CreatePen(PS_SOLID, 1, colour));
  ZSelection fill(dc, brush.get());
  ZSelection outline(dc, pen.get());
  const POINT points[] = {a, b, c};
  Polygon(dc, points, 3);
}

}  // namespace

ZColumnMenu::ZColumnMenu(UINT id, HINSTANCE module) : limit_(0) {
  ZMenuHandle resource(LoadMenuA(module, MAKEINTRESOURCEA(id)));
  HMENU popup = resource ? GetSubMenu(resource.get(), 0) : nullptr;
  if (popup) addEntries(popup);
}

std::unique_ptr<ZColumnMenu> ZColumnMenu::FromMenu(HMENU popup) {
  auto menu = std::make_unique<ZColumnMenu>();
  menu->limit_ = 0;
  if (popup) menu->addEntries(popup);
  return menu;
}

void ZColumnMenu::addEntries(HMENU popup) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(popup, i, TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) {
      addItem(nullptr);
      continue;
    }
    if (info.fType & (MFT_BITMAP | MFT_OWNERDRAW)) continue;  // no other kinds shown
    auto item = std::make_unique<ZTextMenuItem>(ShownText(text), info.wID);
    item->setDisabled((info.fState & MFS_DISABLED) != 0);  // MFS_GRAYED includes it
    ZTextMenuItem& added = *item;
    addItem(std::move(item));
    if (info.hSubMenu) attachSubmenu(added, FromMenu(info.hSubMenu));
  }
}

// --- layout -----------------------------------------------------------------

void ZColumnMenu::measure() {
  ZMenu::measure();
  if (first_ >= entries_.size()) first_ = 0;
  layout_ = ColumnLayout(entrySizes(), style_->margins(), limit_, first_, hasSubmenus());
  width_ = layout_.width;
  height_ = layout_.height;
}

void ZColumnMenu::arrange() {
  layout_ = ColumnLayout(entrySizes(), style_->margins(), limit_, first_, hasSubmenus());
  applyLayout(layout_);
}

// --- scrolling --------------------------------------------------------------

void ZColumnMenu::track(POINT at) {
  if (layout_.scrolls) {
    followZone(layout_.upperZone.contains(at.x, at.y), kScrollUpTimer, upTimer_);
    followZone(layout_.lowerZone.contains(at.x, at.y), kScrollDownTimer, downTimer_);
  }
  ZMenu::track(at);
}

void ZColumnMenu::followZone(bool inside, UINT_PTR id, bool& running) {
  if (inside == running) return;
  running = inside;
  if (inside) {
    closeSubmenus();
    SetTimer(window(), id, kScrollPeriodMs, nullptr);
  } else {
    KillTimer(window(), id);
  }
}

void ZColumnMenu::timer(UINT_PTR id) {
  if (id == kScrollUpTimer && first_ > 0) {
    --first_;
    scrolled();
  } else if (id == kScrollDownTimer && ColumnCanScrollDown(first_, limit_, entries_.size())) {
    ++first_;
    scrolled();
  }
}

void ZColumnMenu::scrolled() {
  destroySubmenuWindows();
  arrange();
  dropCache();
  repaintAll();
}

void ZColumnMenu::hiding() {
  if (window()) {
    KillTimer(window(), kScrollUpTimer);
    KillTimer(window(), kScrollDownTimer);
  }
  upTimer_ = downTimer_ = false;
}

// --- painting ---------------------------------------------------------------

void ZColumnMenu::paint(HDC dc, const RECT& area) {
  ZMenu::paint(dc, area);
  if (!layout_.scrolls) return;
  // An arrow in each zone, greyed where the rows cannot move further.
  const ZMenuRect& up = layout_.upperZone;
  const ZMenuRect& down = layout_.lowerZone;
  const int middle = (up.left + up.right) / 2;
  const COLORREF upColour = style_->textColour(false, first_ == 0);
  const COLORREF downColour = style_->textColour(false, !ColumnCanScrollDown(first_, limit_, entries_.size()));
  Triangle(dc, upColour, POINT{middle - 3, up.bottom - 2}, POINT{middle + 3, up.bottom - 2}, POINT{middle, up.top + 1});
  Triangle(dc, downColour, POINT{middle - 3, down.top + 1}, POINT{middle + 3, down.top + 1},
           POINT{middle, down.bottom - 2});
}

void ZColumnMenu::drawSubmenuMark(HDC dc, const Entry& entry) const {
  const ZMenuItem& item = *entry.item;
  // Outside the item's highlighted rectangle: the plain colour.
  const COLORREF colour = style_->textColour(false, item.disabled());
  const int x = entry.cell.right - 8;
  const int y = (entry.cell.top + entry.cell.bottom) / 2;
  Triangle(dc, colour, POINT{x, y - 3}, POINT{x, y + 3}, POINT{x + 3, y});
}
