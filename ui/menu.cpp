#include "ui/menu.h"

#include <utility>

#include "common/app_context.h"
#include "resources/zavotra_ids.h"

namespace {

constexpr char kMenuProperty[] = "ZavotraMenu";

// The system functions a menu uses only where the system has them.
struct MenuFunctions {
  using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
  using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

  MonitorFromRectFn monitorFromRect = nullptr;
  GetMonitorInfoFn getMonitorInfo = nullptr;
  SetLayeredWindowAttributesFn setLayeredWindowAttributes = nullptr;
  AlphaBlendFn alphaBlend = nullptr;

  MenuFunctions() {
    HMODULE user = GetModuleHandleA("user32.dll");
    // Loaded for the process's lifetime: the blending may be needed at any popup.
    HMODULE blending = LoadLibraryA("msimg32.dll");
    Lookup(user, "MonitorFromRect", monitorFromRect);
    Lookup(user, "GetMonitorInfoA", getMonitorInfo);
    Lookup(user, "SetLayeredWindowAttributes", setLayeredWindowAttributes);
    Lookup(blending, "AlphaBlend", alphaBlend);
  }
  template <typename Function>
  static void Lookup(HMODULE module, const char* name, Function& function) {
    if (module) function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
};

const MenuFunctions& Functions() {
  static const MenuFunctions functions;
  return functions;
}

bool TranslucentWindows() {
  return HasCapability(Capability::LayeredWindows) && Functions().setLayeredWindowAttributes;
}
bool Blending() { return HasCapability(Capability::AlphaBlend) && Functions().alphaBlend; }

RECT ToRect(const ZMenuRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
ZMenuRect ToMenuRect(const RECT& r) { return ZMenuRect{r.left, r.top, r.right, r.bottom}; }

// The work area of the monitor nearest to `anchor`, else the whole screen.
ZMenuRect WorkArea(const RECT& anchor) {
  const MenuFunctions& f = Functions();
  if (f.monitorFromRect && f.getMonitorInfo) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    HMONITOR monitor = f.monitorFromRect(&anchor, MONITOR_DEFAULTTONEAREST);
    if (monitor && f.getMonitorInfo(monitor, &info)) return ToMenuRect(info.rcWork);
  }
  return ZMenuRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

}  // namespace

ZMenu::ZMenu() : style_(std::make_unique<ZModernMenuStyle>()) {}

ZMenu::~ZMenu() {
  if (!window_) return;
  HWND window = std::exchange(window_, nullptr);
  SetWindowLongPtrA(window, DWLP_USER, 0);
  RemovePropA(window, kMenuProperty);
  if (modal_) EndDialog(window, 0);
  DestroyWindow(window);
}

ZMenu* ZMenu::FromWindow(HWND window) {
  return window ? static_cast<ZMenu*>(GetPropA(window, kMenuProperty)) : nullptr;
}

// --- items ------------------------------------------------------------------

size_t ZMenu::addItem(std::unique_ptr<ZMenuItem> item) {
  if (item) {
    item->setOwner(this);
    if (ZMenu* submenu = item->submenu()) {
      submenu->parent_ = this;
      submenu->setStyle(*style_);
    }
  }
  entries_.push_back(Entry{std::move(item), RECT{}});
  dropCache();
  return entries_.size() - 1;
}

ZMenuItem* ZMenu::findItem(UINT id) {
  for (Entry& entry : entries_) {
    if (!entry.item) continue;
    if (entry.item->id() == id) return entry.item.get();
    if (ZMenu* submenu = entry.item->submenu())
      if (ZMenuItem* found = submenu->findItem(id)) return found;
  }
  return nullptr;
}

bool ZMenu::removeItem(UINT id) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].item || entries_[i].item->id() != id) continue;
    if (hovered_ == static_cast<int>(i)) hovered_ = -1;
    else if (hovered_ > static_cast<int>(i)) --hovered_;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
    dropCache();
    return true;
  }
  return false;
}

void ZMenu::attachSubmenu(ZMenuItem& item, std::unique_ptr<ZMenu> submenu) {
  if (submenu) {
    submenu->parent_ = this;
    submenu->setStyle(*style_);
  }
  item.setSubmenu(std::move(submenu));
  dropCache();
}

void ZMenu::setStyle(const ZMenuStyle& style) {
  style_ = style.clone();
  for (Entry& entry : entries_)
    if (entry.item && entry.item->submenu()) entry.item->submenu()->setStyle(style);
  dropCache();
}

bool ZMenu::hasSubmenus() const {
  for (const Entry& entry : entries_)
    if (entry.item && entry.item->submenu()) return true;
  return false;
}

// --- measuring --------------------------------------------------------------

std::vector<ZEntrySize> ZMenu::entrySizes() const {
  std::vector<ZEntrySize> sizes;
  sizes.reserve(entries_.size());
  for (const Entry& entry : entries_) {
    if (!entry.item) {
      sizes.push_back(ZEntrySize{});
      continue;
    }
    const SIZE size = entry.item->measure();
    sizes.push_back(ZEntrySize{true, static_cast<int>(size.cx), static_cast<int>(size.cy)});
  }
  return sizes;
}

void ZMenu::measure() { statistics_ = MeasureEntries(entrySizes()); }

void ZMenu::applyLayout(const ZMenuLayout& layout) {
  width_ = layout.width;
  height_ = layout.height;
  for (size_t i = 0; i < entries_.size() && i < layout.cells.size(); ++i) {
    entries_[i].cell = ToRect(layout.cells[i]);
    if (entries_[i].item) entries_[i].item->setRect(ToRect(layout.items[i]));
  }
  dropCache();
}

// --- opening and closing ----------------------------------------------------

ZMenuItem* ZMenu::popup(HWND owner, const RECT& anchor, bool modal) {
  if (window_) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    return nullptr;
  }
  owner_ = owner;
  measure();
  arrange();
  placeWindow(anchor);
  saveBackground();
  const LPCSTR page = MAKEINTRESOURCEA(IDD_MENU_WINDOW);
  if (!modal || parent_) {
    HWND window = CreateDialogParamA(AppInstance(), page, parent_ ? parent_->window_ : owner, &ZMenu::Procedure,
                                     reinterpret_cast<LPARAM>(this));
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    return nullptr;
  }
  ZModalDialogScope counted;  // gestures wait while the menu is open
  HWND focus = GetFocus();
  chosen_ = nullptr;
  modal_ = true;
  DialogBoxParamA(AppInstance(), page, owner, &ZMenu::Procedure, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  background_.reset();
  if (focus && IsWindow(focus)) SetFocus(focus);
  return std::exchange(chosen_, nullptr);
}

void ZMenu::placeWindow(const RECT& anchor) {
  const ZMenuPoint at =
      PopupPosition(ToMenuRect(anchor), width_, height_, WorkArea(anchor), parent_ != nullptr, style_->margins());
  x_ = at.x;
  y_ = at.y;
}

void ZMenu::saveBackground() {
  if (TranslucentWindows() || !Blending() || style_->opacity() == 255 || background_) return;
  ZWindowDC screen(nullptr);
  ZMemoryDC copy(screen.get());
  background_.reset(CreateCompatibleBitmap(screen.get(), width_, height_));
  ZSelection selected(copy.get(), background_.get());
  BitBlt(copy.get(), 0, 0, width_, height_, screen.get(), x_, y_, SRCCOPY);
}

void ZMenu::close() {
  if (!window_) return;
  ShowWindow(window_, SW_HIDE);
  setHovered(-1);
  closeSubmenus();
  hiding();
}

void ZMenu::closeSubmenus() {
  for (Entry& entry : entries_)
    if (entry.item && entry.item->submenu()) entry.item->submenu()->close();
}

void ZMenu::destroySubmenuWindows() {
  for (Entry& entry : entries_) {
    ZMenu* submenu = entry.item ? entry.item->submenu() : nullptr;
    if (!submenu || !submenu->window_) continue;
    submenu->destroySubmenuWindows();
    DestroyWindow(submenu->window_);
  }
}

ZMenu& ZMenu::root() {
  ZMenu* menu = this;
  while (menu->parent_) menu = menu->parent_;
  return *menu;
}

bool ZMenu::inTree(HWND window) {
  ZMenu* menu = FromWindow(window);
  return menu && &menu->root() == &root();
}

void ZMenu::endTree(ZMenuItem* chosen) {
  ZMenu& top = root();
  top.chosen_ = chosen;
  if (GetCapture() && inTree(GetCapture())) ReleaseCapture();
  if (top.modal_ && top.window_) {
    top.destroySubmenuWindows();
    EndDialog(top.window_, 0);
  } else {
    top.close();
  }
}

void ZMenu::choose(ZMenuItem& item) {
  ZMenu& top = root();
  top.chosen_ = &item;  // before the capture goes: losing it is no cancel now
  if (GetCapture() && inTree(GetCapture())) ReleaseCapture();
  if (top.postsCommand_ && top.owner_) PostMessageA(top.owner_, WM_COMMAND, MAKEWPARAM(item.id(), 0), 0);
  endTree(&item);
}

// --- the window -------------------------------------------------------------

INT_PTR CALLBACK ZMenu::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* menu = reinterpret_cast<ZMenu*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    menu->created(window);
    return FALSE;  // no control to focus
  }
  auto* menu = reinterpret_cast<ZMenu*>(GetWindowLongPtrA(window, DWLP_USER));
  return menu && menu->handle(message, wParam, lParam) ? TRUE : FALSE;
}

void ZMenu::created(HWND window) {
  window_ = window;
  SetPropA(window, kMenuProperty, this);
  if (style_->opacity() < 255 && TranslucentWindows()) {
    SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    Functions().setLayeredWindowAttributes(window, 0, style_->opacity(), LWA_ALPHA);
  }
  SetWindowPos(window, HWND_TOPMOST, x_, y_, width_, height_, SWP_NOACTIVATE);
  if (!inTree(GetCapture())) SetCapture(window);
}

void ZMenu::destroyed() {
  hiding();
  destroySubmenuWindows();
  RemovePropA(window_, kMenuProperty);
  SetWindowLongPtrA(window_, DWLP_USER, 0);
  if (hovered_ >= 0 && entries_[static_cast<size_t>(hovered_)].item)
    entries_[static_cast<size_t>(hovered_)].item->setHighlighted(false);
  hovered_ = -1;
  window_ = nullptr;
  cache_.reset();
  background_.reset();  // the next window may open elsewhere
}

bool ZMenu::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      paintWindow(dc, ps.rcPaint);
      EndPaint(window_, &ps);
      return true;
    }
    case WM_ERASEBKGND:
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, 1);  // painting covers everything
      return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
      mouse(message, at);
      return true;
    case WM_TIMER:
      timer(wParam);
      return true;
    case WM_CAPTURECHANGED:
      // The pointer went to a window outside the tree (another program took
      // it): the menu would never see the click that should close it.
      if (reinterpret_cast<HWND>(lParam) != window_ && !inTree(reinterpret_cast<HWND>(lParam)) &&
          root().window_ && IsWindowVisible(root().window_) && !root().chosen_)
        endTree(nullptr);
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) endTree(nullptr);  // Escape
      return true;
    case WM_DESTROY:
      destroyed();
      return true;
  }
  return false;
}

void ZMenu::mouse(UINT message, POINT at) {
  RECT client = {0, 0, width_, height_};
  if (!PtInRect(&client, at)) {
    POINT screen = at;
    ClientToScreen(window_, &screen);
    HWND under = WindowFromPoint(screen);
    if (under && under != window_ && inTree(under)) {
      ScreenToClient(under, &screen);
      FromWindow(under)->mouse(message, screen);
      if (message != WM_MOUSEMOVE) return;
    } else if (IsButtonDown(message)) {
      endTree(nullptr);
      return;
    }
  }
  if (message == WM_MOUSEMOVE) track(at);
  if (message == WM_LBUTTONUP) buttonUp(at);
}

void ZMenu::buttonUp(POINT at) {
  track(at);
  if (hovered_ < 0 || entryAt(at) != hovered_) return;
  ZMenuItem* item = entries_[static_cast<size_t>(hovered_)].item.get();
  if (item && item->choosable()) choose(*item);
}

// --- tracking ---------------------------------------------------------------

int ZMenu::entryAt(POINT at) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (PtInRect(&entries_[i].cell, at)) return entries_[i].item ? static_cast<int>(i) : -1;
  return -1;
}

void ZMenu::track(POINT at) {
  int index = entryAt(at);
  if (index < 0) {
    // Moving into a submenu keeps its item highlighted.
    for (size_t i = 0; i < entries_.size(); ++i) {
      ZMenu* submenu = entries_[i].item ? entries_[i].item->submenu() : nullptr;
      if (submenu && submenu->window_ && IsWindowVisible(submenu->window_)) index = static_cast<int>(i);
    }
  }
  setHovered(index);
}

void ZMenu::timer(UINT_PTR) {}

void ZMenu::setHovered(int index) {
  if (index == hovered_) return;
  if (hovered_ >= 0) {
    Entry& old = entries_[static_cast<size_t>(hovered_)];
    old.item->setHighlighted(false);
    if (ZMenu* submenu = old.item->submenu()) submenu->close();
    repaint(old.cell);
  }
  hovered_ = index;
  if (index < 0) return;
  Entry& now = entries_[static_cast<size_t>(index)];
  now.item->setHighlighted(true);
  repaint(now.cell);
  if (now.item->disabled() || !now.item->submenu()) return;
  RECT anchor = now.cell;
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&anchor), 2);
  now.item->submenu()->popup(owner_, anchor, false);
}

// --- painting ---------------------------------------------------------------

void ZMenu::repaint(const RECT& area) {
  if (window_) InvalidateRect(window_, &area, FALSE);
}

void ZMenu::repaintAll() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void ZMenu::paint(HDC dc, const RECT& area) {
  const RECT all = {0, 0, width_, height_};
  ZBrush background(CreateSolidBrush(style_->backgroundColour()));
  FillRect(dc, &all, background.get());
  style_->drawFrame(dc, width_, height_);
  for (const Entry& entry : entries_) {
    RECT common;
    if (!entry.item || !IntersectRect(&common, &entry.cell, &area)) continue;
    entry.item->draw(dc, area, *style_);
    if (entry.item->submenu()) drawSubmenuMark(dc, entry);
  }
}

bool ZMenu::blendsOverBackground() const {
  return background_ && !TranslucentWindows() && Blending() && style_->opacity() < 255;
}

void ZMenu::paintWindow(HDC target, const RECT& area) {
  const bool highlight = hovered_ >= 0;
  ZMemoryDC image(target);
  ZBitmap fresh;
  if (highlight || !cache_) {
    fresh.reset(CreateCompatibleBitmap(target, width_, height_));
    ZSelection selected(image.get(), fresh.get());
    // The cache needs the whole image; a highlighted one only what changed.
    paint(image.get(), highlight ? area : RECT{0, 0, width_, height_});
  }
  if (!highlight && fresh) cache_ = std::move(fresh);
  ZSelection shown(image.get(), highlight ? fresh.get() : cache_.get());
  if (!blendsOverBackground()) {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, image.get(), area.left,
           area.top, SRCCOPY);
    return;
  }
  ZMemoryDC blended(target);
  ZBitmap canvas(CreateCompatibleBitmap(target, width_, height_));
  ZSelection onCanvas(blended.get(), canvas.get());
  {
    ZMemoryDC saved(target);
    ZSelection behind(saved.get(), background_.get());
    BitBlt(blended.get(), 0, 0, width_, height_, saved.get(), 0, 0, SRCCOPY);
  }
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, style_->opacity(), 0};
  Functions().alphaBlend(blended.get(), 0, 0, width_, height_, image.get(), 0, 0, width_, height_, blend);
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, blended.get(), area.left,
         area.top, SRCCOPY);
}
