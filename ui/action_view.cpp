#include "ui/action_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "actions/macro.h"
#include "actions/web_service.h"
#include "common/app_context.h"
#include "common/errors.h"
#include "common/string_resource.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"
#include "ui/action_wizard.h"
#include "ui/element_host.h"
#include "ui/popup_menu.h"
#include "ui/symbol_library_menu.h"
#include "ui/view_layout.h"

namespace {
constexpr UINT kSwallowedMessage = 68;  // never handled by the list view here
constexpr int kIconSide = 32;
constexpr int kImagesInitial = 16;
constexpr int kImagesGrowth = 16;
constexpr COLORREF kStripColour = 0x191919;
constexpr int kTextBuffer = 1024;
// The open view's list sits this far below the page's top edge, under the
// shade that edge casts.
constexpr int kListTop = 6;
constexpr COLORREF kEdgeShade[] = {RGB(44, 60, 80), RGB(66, 88, 114), RGB(84, 110, 140)};

HICON IconOf(const ZAction& action) {
  const Symbol* symbol = action.symbol();
  if (!symbol || symbol->shapes().empty()) return nullptr;
  return symbol->shapes().front().icon().handle();
}

// A picture for an action without one: nothing to see, but a place in the grid.
HICON BlankIcon() {
  static SymbolIcon blank = [] {
    SymbolIcon icon;
    const SymbolIcon::XorMask colours = {};
    SymbolIcon::AndMask transparent;
    transparent.fill(0xFF);
    icon.setMasks(colours.data(), transparent.data());
    return icon;
  }();
  return blank.handle();
}

std::string Title() { return LoadAnsiString(IDS_APP_TITLE, AppInstance()); }

std::string Formatted(UINT id, const std::string& text) {
  char buffer[kTextBuffer] = {};
  snprintf(buffer, sizeof buffer, LoadAnsiString(id, AppInstance()).c_str(), text.c_str());
  return buffer;
}

class ZWaitCursor {
 public:
  ZWaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~ZWaitCursor() { SetCursor(previous_); }
  ZWaitCursor(const ZWaitCursor&) = delete;
  ZWaitCursor& operator=(const ZWaitCursor&) = delete;

 private:
  HCURSOR previous_;
};
}  // namespace

ZActionView::ZActionView(ZElementHost& owner, ZActionClipboard& clipboard, KeySource key)
    : ZWindowElement(owner, RECT{}), clipboard_(clipboard), key_(std::move(key)) {}

ZActionView::~ZActionView() { open(false); }

void ZActionView::setPlugin(std::unique_ptr<ZPlugin> plugin) {
  plugin_ = std::move(plugin);
  refreshAll();
}

void ZActionView::addAction(std::unique_ptr<ZAction> action, bool save) {
  if (!plugin_ || !action) return;
  plugin_->addAction(std::move(action));
  refreshAll();
  if (save) saveChanges();
}

RECT ZActionView::listRect() const {
  RECT r = rect();
  r.top = r.top + kListTop < r.bottom ? r.top + kListTop : r.bottom;
  return r;
}

void ZActionView::place(const RECT& rect) {
  setRect(rect);
  dropStrip();
  if (list_) {
    const RECT r = listRect();
    MoveWindow(list_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    layOut();
  }
}

void ZActionView::setBackground(HBITMAP background, POINT offset) {
  background_ = background;
  backgroundOffset_ = offset;
}

// --- the list view ----------------------------------------------------------

void ZActionView::open(bool yes) {
  if (yes == isOpen()) return;
  if (!yes) {
    HWND list = list_;
    list_ = nullptr;
    DestroyWindow(list);
    images_.reset();
    invalidate();
    return;
  }
  createList();
  fillList();
  if (GetActiveWindow() == window()) SetFocus(list_);
}

void ZActionView::createList() {
  const RECT r = listRect();
  list_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                          WS_CHILD | WS_CLIPSIBLINGS | LVS_ICON | LVS_EDITLABELS | LVS_SHAREIMAGELISTS, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, window(), nullptr, AppInstance(), nullptr);
  if (!list_) return;
  SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listProcedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZActionView::ListProcedure)));
  images_.reset(ImageList_Create(kIconSide, kIconSide, ILC_COLOR4 | ILC_MASK, kImagesInitial, kImagesGrowth));
  ListView_SetImageList(list_, images_.get(), LVSIL_NORMAL);
  ListView_SetIconSpacing(list_, kItemWidth, kItemHeight);
  ListView_SetBkColor(list_, CLR_NONE);
  ListView_SetTextBkColor(list_, CLR_NONE);
  ListView_SetTextColor(list_, RGB(255, 255, 255));
  ShowWindow(list_, SW_SHOWNA);
}

int ZActionView::addImage(const ZAction& action) {
  HICON icon = IconOf(action);
  return ImageList_AddIcon(images_.get(), icon ? icon : BlankIcon());
}

void ZActionView::fillList() {
  if (!list_) return;
  ListView_DeleteAllItems(list_);
  ImageList_RemoveAll(images_.get());
  if (plugin_) {
    int index = 0;
    for (const auto& action : plugin_->actions()) {
      LVITEMA item = {};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      item.iItem = index++;
      item.pszText = const_cast<char*>(action->name().c_str());
      item.iImage = addImage(*action);
      item.lParam = reinterpret_cast<LPARAM>(action.get());
      SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  // A list view arranges its icons by itself the first time it paints items.
  // Painted once now, into nothing, it keeps the places the view gives them.
  ZMemoryDC scratch;
  SendMessageA(list_, WM_PAINT, reinterpret_cast<WPARAM>(scratch.get()), 0);
  layOut();
  InvalidateRect(list_, nullptr, TRUE);
}

void ZActionView::layOut() {
  if (!list_) return;
  const int count = ListView_GetItemCount(list_);
  const auto places = ItemPlaces(static_cast<size_t>(count), rect().right - rect().left);
  for (int i = 0; i < count; ++i) {
    POINT at = {places[i].x, places[i].y};
    SendMessageA(list_, LVM_SETITEMPOSITION32, i, reinterpret_cast<LPARAM>(&at));
  }
}

LRESULT CALLBACK ZActionView::ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<ZActionView*>(GetWindowLongPtrA(list, GWLP_USERDATA));
  if (!view || !view->listProcedure_) return DefWindowProcA(list, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC own = view->listProcedure_;
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    SetWindowLongPtrA(list, GWLP_USERDATA, 0);
    return CallWindowProcA(own, list, message, wParam, lParam);
  }
  return view->listMessage(list, message, wParam, lParam);
}

LRESULT ZActionView::listMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_ERASEBKGND:
      eraseListBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_KEYDOWN:
    case kSwallowedMessage:
      return 0;  // keys reach the view as accelerator commands only
    case WM_LBUTTONDOWN:
      if (wParam != MK_LBUTTON) break;  // with Shift, Ctrl or another button: the list's own selection
      itemClick(static_cast<UINT>(wParam), at);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      return 0;
    case WM_RBUTTONDOWN: {
      POINT client = at;
      MapWindowPoints(list, window(), &client, 1);
      contextRequest(static_cast<UINT>(wParam), client);
      return 0;
    }
    case WM_COMMAND:
      return listCommand(list, wParam, lParam);
  }
  return CallWindowProcA(listProcedure_, list, message, wParam, lParam);
}

void ZActionView::eraseListBackground(HDC dc) const {
  RECT client;
  GetClientRect(list_, &client);
  ZMemoryDC source(dc);
  if (!background_ || !source) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    return;
  }
  ZSelection selected(source.get(), background_);
  BitBlt(dc, 0, 0, client.right, client.bottom, source.get(), backgroundOffset_.x,
         backgroundOffset_.y + kListTop, SRCCOPY);
}

LRESULT ZActionView::listCommand(HWND list, WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == EN_KILLFOCUS && lParam) {
    // The label edit lost the focus: its text is the new name. The list's
    // own handling then ends the edit.
    rename(reinterpret_cast<HWND>(lParam));
  } else if (!lParam) {
    // A menu or accelerator command: the view's own, or the main window's
    // (Ctrl+Alt+U pressed while the list has the focus, say).
    if (command(LOWORD(wParam))) return 0;
    return SendMessageA(GetAncestor(list, GA_ROOT), WM_COMMAND, wParam, lParam);
  }
  return CallWindowProcA(listProcedure_, list, WM_COMMAND, wParam, lParam);
}

// --- clicks, renaming, the item menu -----------------------------------------

void ZActionView::selectOnly(int item) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (item >= 0) ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ZActionView::itemClick(UINT, POINT point) {
  // The focus leaving a label edit ends it (and renames).
  SetFocus(list_);
  LVHITTESTINFO hit = {};
  hit.pt = point;
  const int item = ListView_HitTest(list_, &hit);
  if (item < 0) {
    selectOnly(-1);
    return;
  }
  const bool wasSelected = (ListView_GetItemState(list_, item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  selectOnly(item);
  if ((hit.flags & LVHT_ONITEMLABEL) && wasSelected) {
    beginRename(item);
  } else if (hit.flags & LVHT_ONITEMICON) {
    POINT screen = point;
    ClientToScreen(list_, &screen);
    showItemMenu(item, screen);
  }
}

LRESULT CALLBACK ZActionView::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = reinterpret_cast<ZActionView*>(GetWindowLongPtrA(GetParent(edit), GWLP_USERDATA));
  if (!view || !view->editProcedure_) return DefWindowProcA(edit, message, wParam, lParam);
  // Escape gives the edit up: the name stays as it was.
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE) view->renameCancelled_ = true;
  return CallWindowProcA(view->editProcedure_, edit, message, wParam, lParam);
}

void ZActionView::beginRename(int item) {
  HWND edit = ListView_EditLabel(list_, item);
  if (!edit) return;
  renameCancelled_ = false;
  renameItem_ = item;
  editProcedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZActionView::EditProcedure)));
}

void ZActionView::rename(HWND edit) {
  if (!editProcedure_) return;
  SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProcedure_));
  editProcedure_ = nullptr;
  const int item = renameItem_;
  renameItem_ = -1;
  if (renameCancelled_) return;
  ZAction* action = actionOf(item);
  if (!action) return;
  char text[kTextBuffer] = {};
  GetWindowTextA(edit, text, sizeof text);
  ListView_SetItemText(list_, item, 0, text);
  action->setName(text);
  // Saved even when the text is the same: what the user confirmed is on disk.
  saveChanges();
}

void ZActionView::showItemMenu(int item, POINT screen) {
  ZAction* action = actionOf(item);
  if (!action) return;
  ZColumnMenu menu;
  menu.setPostsCommand(false);
  auto library = std::make_unique<ZSymbolLibraryMenu>(0);
  const ZSymbolLibraryMenu& symbols = *library;
  auto symbol = std::make_unique<ZTextMenuItem>(LoadAnsiString(IDS_ACTION_SYMBOL_MENU, AppInstance()), 0);
  symbol->setDisabled(library->empty());
  symbol->setSubmenu(std::move(library));
  menu.addItem(std::move(symbol));
  // Choosing a web site needs the service lists; it stays disabled until
  // they are part of the program.
  auto add = [&menu](UINT text, UINT id, bool disabled) {
    auto entry = std::make_unique<ZTextMenuItem>(LoadAnsiString(text, AppInstance()), id);
    entry->setDisabled(disabled);
    menu.addItem(std::move(entry));
  };
  if (dynamic_cast<ZMacro*>(action)) add(IDS_EDIT_ACTION, ID_EDIT_ACTION, false);
  if (dynamic_cast<ZWebService*>(action)) add(IDS_ACTION_SERVICE_MENU, ID_ACTION_SERVICE, true);

  const ZMenuItem* chosen = menu.popup(window(), RECT{screen.x, screen.y, screen.x, screen.y}, true);
  if (const Symbol* picked = symbols.chosenSymbol(chosen)) giveSymbol(item, *picked);
  if (chosen && chosen->id() == ID_EDIT_ACTION) editAction(item);
}

void ZActionView::editAction(int item) {
  auto* macro = dynamic_cast<ZMacro*>(actionOf(item));
  if (!macro) return;
  // The wizard works on a copy: the action stays as it was unless finished.
  std::unique_ptr<ZAction> copy = macro->clone();
  if (!RunActionWizard(window(), static_cast<ZMacro&>(*copy))) return;
  if (!plugin_->replaceAction(macro, copy)) return;
  refreshAll();
  saveChanges();
}

void ZActionView::giveSymbol(int item, const Symbol& symbol) {
  ZAction* action = actionOf(item);
  if (!action) return;
  action->setSymbol(std::make_unique<Symbol>(symbol));
  LVITEMA entry = {};
  entry.mask = LVIF_IMAGE;
  entry.iItem = item;
  if (SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) {
    HICON icon = IconOf(*action);
    ImageList_ReplaceIcon(images_.get(), entry.iImage, icon ? icon : BlankIcon());
    ListView_RedrawItems(list_, item, item);
  }
  dropStrip();
  saveChanges();
}

bool ZActionView::contextRequest(UINT flags, POINT point) {
  if (list_) {
    SetFocus(list_);  // ends a label edit in progress
    // A right click on an item outside the selection makes it the selection.
    LVHITTESTINFO hit = {};
    hit.pt = point;
    MapWindowPoints(window(), list_, &hit.pt, 1);
    const int item = ListView_HitTest(list_, &hit);
    if (item >= 0 && !(ListView_GetItemState(list_, item, LVIS_SELECTED) & LVIS_SELECTED)) selectOnly(item);
  }
  ZMenuHandle resource(LoadMenuA(AppInstance(), MAKEINTRESOURCEA(IDR_VIEW_CONTEXT_MENU)));
  HMENU menu = resource ? GetSubMenu(resource.get(), 0) : nullptr;
  if (!menu) return true;
  const bool selection = plugin_ && hasSelection();
  const UINT onSelection = MF_BYCOMMAND | (selection ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(menu, IDM_VIEW_DELETE, onSelection);
  EnableMenuItem(menu, IDM_VIEW_CUT, onSelection);
  EnableMenuItem(menu, IDM_VIEW_COPY, onSelection);
  EnableMenuItem(menu, IDM_VIEW_PASTE, MF_BYCOMMAND | (plugin_ && !clipboard_.empty() ? MF_ENABLED : MF_GRAYED));
  POINT screen = point;
  ClientToScreen(window(), &screen);
  const UINT chosen = TrackMenu(menu, window(), screen);
  if (chosen) command(static_cast<WORD>(chosen));
  return true;
}

// --- the commands ----------------------------------------------------------

bool ZActionView::command(WORD id) {
  switch (id) {
    case IDM_VIEW_DELETE:
    case IDM_DELETE:
      deleteSelected();
      return true;
    case IDM_VIEW_CUT:
    case IDM_CUT:
      cut();
      return true;
    case IDM_VIEW_COPY:
    case IDM_COPY:
      copy();
      return true;
    case IDM_VIEW_PASTE:
    case IDM_PASTE:
      paste();
      return true;
    case ID_EDIT_ACTION: {
      const std::vector<int> items = selectedItems();
      if (items.size() == 1) editAction(items.front());
      return true;
    }
  }
  return false;
}

ZAction* ZActionView::actionOf(int item) const {
  if (!list_ || item < 0) return nullptr;
  LVITEMA entry = {};
  entry.mask = LVIF_PARAM;
  entry.iItem = item;
  if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) return nullptr;
  return reinterpret_cast<ZAction*>(entry.lParam);
}

std::vector<int> ZActionView::selectedItems() const {
  std::vector<int> items;
  if (!list_) return items;
  for (int i = ListView_GetNextItem(list_, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(list_, i, LVNI_SELECTED))
    items.push_back(i);
  return items;
}

std::vector<ZAction*> ZActionView::selectedActions() const {
  std::vector<ZAction*> actions;
  for (int item : selectedItems())
    if (ZAction* action = actionOf(item)) actions.push_back(action);
  return actions;
}

void ZActionView::removeActions(const std::vector<ZAction*>& doomed) {
  for (ZAction* action : doomed) plugin_->removeAction(action);
}

void ZActionView::deleteSelected() {
  const std::vector<ZAction*> selected = selectedActions();
  if (!plugin_ || selected.empty()) return;
  const std::string question = selected.size() == 1
                                   ? Formatted(IDS_CONFIRM_DELETE_ACTION, selected.front()->name())
                                   : LoadAnsiString(IDS_CONFIRM_DELETE_ACTIONS, AppInstance());
  int answer;
  {
    ZModalDialogScope modal;
    answer = MessageBoxA(window(), question.c_str(), Title().c_str(), MB_YESNO | MB_ICONQUESTION);
  }
  if (answer != IDYES) return;
  ZWaitCursor wait;
  removeActions(selected);
  refreshAll();
  saveChanges();
}

std::vector<ZAction*> ZActionView::copySelection() {
  std::vector<ZAction*> selected = selectedActions();
  if (!plugin_ || selected.empty()) return {};
  clipboard_.clear();
  for (ZAction* action : selected) clipboard_.add(action->clone());
  return selected;
}

void ZActionView::cut() {
  const std::vector<ZAction*> selected = copySelection();
  if (selected.empty()) return;
  removeActions(selected);
  refreshAll();
  saveChanges();
}

void ZActionView::copy() { copySelection(); }

void ZActionView::paste() {
  if (!plugin_ || clipboard_.empty()) return;
  // A paste replaces the selection.
  removeActions(selectedActions());
  for (const auto& action : clipboard_.actions()) plugin_->addAction(action->clone());
  refreshAll();
  saveChanges();
}

void ZActionView::refreshAll() {
  dropStrip();
  fillList();
  invalidate();
}

void ZActionView::saveChanges() {
  if (!plugin_) return;
  try {
    plugin_->save(key_());
  } catch (const ZWriteError& error) {
    // The edit stays in the window; the user learns it is not on disk.
    char text[kTextBuffer] = {};
    snprintf(text, sizeof text, LoadAnsiString(IDS_SAVE_FAILED, AppInstance()).c_str(), plugin_->name().c_str(),
             static_cast<unsigned>(error.code()));
    ZModalDialogScope modal;
    MessageBoxA(window(), text, Title().c_str(), MB_OK | MB_ICONWARNING);
  }
  if (changed_) changed_();
}

// --- painting ----------------------------------------------------------------

RECT ZActionView::stripRect() const {
  const RECT& r = rect();
  const size_t count = plugin_ ? plugin_->actions().size() : 0;
  const int width = StripWidth(count, r.right - r.left);
  return RECT{r.left + kStripInset, r.top + kStripTop, r.left + kStripInset + width, r.top + kStripTop + kStripSymbol};
}

void ZActionView::dropStrip() {
  stripMask_.reset();
  stripColour_.reset();
  stripWidth_ = 0;
}

void ZActionView::buildStrip(HDC dc, int width) {
  stripMask_.reset(CreateCompatibleBitmap(dc, width, kStripSymbol));
  stripColour_.reset(CreateCompatibleBitmap(dc, width, kStripSymbol));
  stripWidth_ = width;
  ZMemoryDC mask(dc);
  ZMemoryDC colour(dc);
  if (!stripMask_ || !stripColour_ || !mask || !colour) return;
  ZSelection maskSelected(mask.get(), stripMask_.get());
  PatBlt(mask.get(), 0, 0, width, kStripSymbol, WHITENESS);
  const size_t shown = StripSymbols(plugin_->actions().size(), rect().right - rect().left);
  for (size_t i = 0; i < shown; ++i) {
    HICON icon = IconOf(*plugin_->actions()[i]);
    if (icon)
      DrawIconEx(mask.get(), static_cast<int>(i) * kStripPitch, 0, icon, kStripSymbol, kStripSymbol, 0, nullptr,
                 DI_MASK);
  }
  ZSelection colourSelected(colour.get(), stripColour_.get());
  ZBrush fill(CreateSolidBrush(kStripColour));
  const RECT all = {0, 0, width, kStripSymbol};
  FillRect(colour.get(), &all, fill.get());
  BitBlt(colour.get(), 0, 0, width, kStripSymbol, mask.get(), 0, 0, NOTSRCERASE);
}

void ZActionView::paintStrip(HDC dc) {
  const RECT strip = stripRect();
  const int width = strip.right - strip.left;
  if (!plugin_ || width <= 0) return;
  if (!stripMask_ || width != stripWidth_) buildStrip(dc, width);
  ZMemoryDC source(dc);
  if (!source || !stripMask_ || !stripColour_) return;
  {
    ZSelection selected(source.get(), stripMask_.get());
    BitBlt(dc, strip.left, strip.top, width, kStripSymbol, source.get(), 0, 0, SRCAND);
  }
  ZSelection selected(source.get(), stripColour_.get());
  BitBlt(dc, strip.left, strip.top, width, kStripSymbol, source.get(), 0, 0, SRCPAINT);
}

void ZActionView::paint(HDC dc, const RECT&) {
  // Open, the list view paints all but the top edge itself.
  const RECT& r = rect();
  const int height = isOpen() ? std::min<int>(kListTop, r.bottom - r.top) : r.bottom - r.top;
  ZMemoryDC source(dc);
  if (background_ && source) {
    ZSelection selected(source.get(), background_);
    BitBlt(dc, r.left, r.top, r.right - r.left, height, source.get(), backgroundOffset_.x, backgroundOffset_.y,
           SRCCOPY);
  }
  // The label band above casts a little shade on the page.
  for (int i = 0; i < 3 && r.top + i < r.bottom; ++i) {
    ZPen pen(CreatePen(PS_SOLID, 1, kEdgeShade[i]));
    ZSelection selected(dc, pen.get());
    MoveToEx(dc, r.left, r.top + i, nullptr);
    LineTo(dc, r.right, r.top + i);
  }
  if (!isOpen()) paintStrip(dc);
}
