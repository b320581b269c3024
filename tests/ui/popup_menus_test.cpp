// The program's own popup menus on real windows under Wine: the grid of a
// symbols menu, where a popup opens at the work area's edges, scrolling a
// long column, closing the tree on an outside click, what can be chosen,
// a menu built from a resource, and how the two styles paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "common/default_key.h"
#include "gesture/symbol_file.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"
#include "tests/support/injected_input.h"
#include "tests/support/menu_driving.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/view_fixtures.h"
#include "ui/column_menu.h"
#include "ui/matrix_menu.h"
#include "ui/popup_menu.h"
#include "ui/symbol_library_menu.h"

namespace {

constexpr DWORD kAppearMs = 5000;

RECT At(int x, int y) { return RECT{x, y, x, y}; }

RECT WorkAreaAt(POINT at) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

RECT ScreenRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

std::vector<Symbol> Symbols(size_t count) {
  std::vector<Symbol> symbols;
  for (size_t i = 0; i < count; ++i) symbols.push_back(SquareSymbol(static_cast<uint32_t>(i + 1)));
  return symbols;
}

std::unique_ptr<ZTextMenuItem> Text(const std::string& text, UINT id, bool disabled = false) {
  auto item = std::make_unique<ZTextMenuItem>(text, id);
  item->setDisabled(disabled);
  return item;
}

// A window that records the commands posted to it.
class Owner {
 public:
  Owner() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Owner::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZavotraMenuTestOwner";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "owner", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                              wc.hInstance, nullptr);
  }
  ~Owner() { DestroyWindow(window_); }
  HWND get() const { return window_; }
  static std::vector<WORD>& Commands() {
    static std::vector<WORD> commands;
    return commands;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) Commands().push_back(LOWORD(wp));
    return DefWindowProcA(w, m, wp, lp);
  }
  HWND window_;
};

class PopupMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearCapabilities();  // opaque menus unless a test asks for more
    Owner::Commands().clear();
    SetCursorPos(1, 1);  // the real pointer stays away from the menus
  }
  void TearDown() override { ClearCapabilities(); }
  Owner owner_;
};

TEST_F(PopupMenusTest, FiveSymbolsMakeAGridOfThreeColumnsAndTwoRows) {
  ZSymbolsMenu menu(Symbols(5), 7);
  menu.popup(owner_.get(), At(100, 100), false);
  ASSERT_NE(menu.window(), nullptr);
  EXPECT_EQ(menu.shownColumns(), 3u);
  EXPECT_EQ(menu.rows(), 2u);
  const RECT r = ScreenRect(menu.window());
  EXPECT_EQ(r.right - r.left, 3 * 40 + 4);  // the modern style's margins are 2
  EXPECT_EQ(r.bottom - r.top, 2 * 40 + 4);
  EXPECT_EQ(menu.cellAt(3).top, menu.cellAt(0).bottom);  // the fourth starts the second row
  EXPECT_EQ(menu.itemAt(4)->id(), 7u);
}

TEST_F(PopupMenusTest, AtTheRightOrBottomEdgeTheMenuOpensLeftOrUp) {
  const RECT work = WorkAreaAt(POINT{100, 100});
  struct Case {
    POINT anchor;
    bool left, up;
  };
  const Case cases[] = {
      {{200, 150}, false, false},
      {{work.right - 10, 150}, true, false},
      {{200, work.bottom - 10}, false, true},
      {{work.right - 10, work.bottom - 10}, true, true},
  };
  for (const Case& c : cases) {
    ZSymbolsMenu menu(Symbols(5), 7);
    menu.popup(owner_.get(), At(c.anchor.x, c.anchor.y), false);
    ASSERT_NE(menu.window(), nullptr);
    const RECT r = ScreenRect(menu.window());
    if (c.left)
      EXPECT_EQ(r.right, c.anchor.x + 1) << c.anchor.x;
    else
      EXPECT_EQ(r.left, c.anchor.x) << c.anchor.x;
    if (c.up)
      EXPECT_EQ(r.bottom, c.anchor.y + 1) << c.anchor.y;
    else
      EXPECT_EQ(r.top, c.anchor.y) << c.anchor.y;
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
  }
}

// Moves the real pointer onto `at` in `window`; the menu holds the capture.
void RestPointer(HWND window, POINT at) {
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  InjectMouse(0, at);
}

void SaveShot(HWND window, const char* name);

std::unique_ptr<ZColumnMenu> LongColumn(size_t entries) {
  auto menu = std::make_unique<ZColumnMenu>();
  for (size_t i = 0; i < entries; ++i) menu->addItem(Text("Entry " + std::to_string(i), 100 + static_cast<UINT>(i)));
  return menu;
}

TEST_F(PopupMenusTest, ALongColumnScrollsOneEntryATickToTheEnd) {
  auto menu = LongColumn(15);
  menu->popup(owner_.get(), At(100, 100), false);
  ASSERT_NE(menu->window(), nullptr);
  ASSERT_TRUE(menu->layout().scrolls);
  EXPECT_TRUE(menu->cellAt(9).left == 0 && menu->cellAt(9).right == 0);  // nine rows show
  // Each tick of timer 2 moves the rows by one, up to the last entry.
  for (size_t tick = 1; tick <= 8; ++tick) {
    SendMessageA(menu->window(), WM_TIMER, ZColumnMenu::kScrollDownTimer, 0);
    EXPECT_EQ(menu->firstVisible(), std::min<size_t>(tick, 6)) << tick;
  }
  EXPECT_FALSE(IsRectEmpty(&menu->cellAt(14)));
  SendMessageA(menu->window(), WM_TIMER, ZColumnMenu::kScrollUpTimer, 0);
  EXPECT_EQ(menu->firstVisible(), 5u);
  UpdateWindow(menu->window());
  SaveShot(menu->window(), "menu_scrolling.bmp");

  // The pointer resting on the lower zone runs the timer until the end ...
  const ZMenuRect lower = menu->layout().lowerZone;
  const POINT inLower = {(lower.left + lower.right) / 2, (lower.top + lower.bottom) / 2};
  RestPointer(menu->window(), inLower);
  std::vector<size_t> seen;
  EXPECT_TRUE(WaitPumpingFor(
      [&] {
        if (seen.empty() || seen.back() != menu->firstVisible()) seen.push_back(menu->firstVisible());
        return menu->firstVisible() == 6;
      },
      3000));
  EXPECT_EQ(seen, (std::vector<size_t>{5, 6}));
  PumpMessagesFor(250);  // two more ticks change nothing
  EXPECT_EQ(menu->firstVisible(), 6u);
  // ... and on the upper zone back to the first, one entry at a time.
  const ZMenuRect upper = menu->layout().upperZone;
  RestPointer(menu->window(), POINT{(upper.left + upper.right) / 2, upper.top + 4});
  seen.clear();
  EXPECT_TRUE(WaitPumpingFor(
      [&] {
        if (seen.empty() || seen.back() != menu->firstVisible()) seen.push_back(menu->firstVisible());
        return menu->firstVisible() == 0;
      },
      3000));
  EXPECT_EQ(seen, (std::vector<size_t>{6, 5, 4, 3, 2, 1, 0}));
  // Ten entries fit: no zones.
  auto fits = LongColumn(10);
  fits->popup(owner_.get(), At(300, 100), false);
  EXPECT_FALSE(fits->layout().scrolls);
}

// A root with "Plain", a disabled "Greyed", "More" opening "Inner", a separator.
std::unique_ptr<ZColumnMenu> Tree() {
  auto root = std::make_unique<ZColumnMenu>();
  root->addItem(Text("Plain", 11));
  root->addItem(Text("Greyed", 12, true));
  auto more = Text("More", 13);
  auto inner = std::make_unique<ZColumnMenu>();
  inner->addItem(Text("Inner", 14));
  more->setSubmenu(std::move(inner));
  root->addItem(std::move(more));
  root->addItem(nullptr);
  return root;
}

TEST_F(PopupMenusTest, AClickOutsideClosesTheWholeTreeAndChoosesNothing) {
  auto root = Tree();
  ZMenu* inner = root->findItem(13)->submenu();
  bool submenuOpened = false;
  std::thread user([&] {
    if (!WaitForCondition([&] { return root->window() && IsWindowVisible(root->window()); }, kAppearMs)) return;
    const POINT onMore = CellCentre(*root, 2);
    PostMessageA(root->window(), WM_MOUSEMOVE, 0, MAKELPARAM(onMore.x, onMore.y));
    submenuOpened = WaitForCondition([&] { return inner->window() && IsWindowVisible(inner->window()); }, kAppearMs);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, POINT{600, 500});
    InjectMouse(MOUSEEVENTF_LEFTUP, POINT{600, 500});
  });
  const int modalBefore = ModalDialogCount();
  const ZMenuItem* chosen = root->popup(owner_.get(), At(100, 100), true);
  user.join();
  EXPECT_TRUE(submenuOpened);
  EXPECT_EQ(chosen, nullptr);
  EXPECT_EQ(root->window(), nullptr);
  EXPECT_EQ(inner->window(), nullptr);
  EXPECT_EQ(ModalDialogCount(), modalBefore);
  PumpMessages();
  EXPECT_TRUE(Owner::Commands().empty());
}

TEST_F(PopupMenusTest, DisabledAndSubmenuItemsCannotBeChosen) {
  auto root = Tree();
  ZMenu* inner = root->findItem(13)->submenu();
  bool openAfterGreyed = false, openAfterMore = false;
  int modalMeanwhile = 0;
  std::thread user([&] {
    if (!WaitForCondition([&] { return root->window() && IsWindowVisible(root->window()); }, kAppearMs)) return;
    modalMeanwhile = ModalDialogCount();
    for (size_t index : {1u, 2u}) {  // "Greyed", then "More": a release over each does nothing
      const POINT at = CellCentre(*root, index);
      PostMessageA(root->window(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      PostMessageA(root->window(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      Sleep(150);
      (index == 1 ? openAfterGreyed : openAfterMore) = root->window() && IsWindowVisible(root->window());
    }
    if (!WaitForCondition([&] { return inner->window() && IsWindowVisible(inner->window()); }, kAppearMs)) return;
    // "Inner" with the real pointer: the root holds the capture and passes
    // the moves and the button on to the submenu under it.
    POINT inside = CellCentre(*inner, 0);
    ClientToScreen(inner->window(), &inside);
    InjectMouse(0, inside);
    Sleep(100);
    InjectMouse(MOUSEEVENTF_LEFTDOWN, inside);
    InjectMouse(MOUSEEVENTF_LEFTUP, inside);
  });
  const ZMenuItem* chosen = root->popup(owner_.get(), At(100, 100), true);
  user.join();
  EXPECT_GT(modalMeanwhile, 0);
  EXPECT_TRUE(openAfterGreyed);
  EXPECT_TRUE(openAfterMore);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->id(), 14u);
  PumpMessagesFor(20);
  EXPECT_EQ(Owner::Commands(), (std::vector<WORD>{14}));  // posted to the owner
}

TEST_F(PopupMenusTest, AMenuFromAResourceKeepsTextsStatesAndSeparators) {
  ZColumnMenu fromResource(IDR_VIEW_CONTEXT_MENU, GetModuleHandleA(nullptr));
  ASSERT_EQ(fromResource.entryCount(), 5u);
  EXPECT_EQ(ZMenuDriver::TextOf(*fromResource.itemAt(0)), "Delete\tDel");
  EXPECT_EQ(fromResource.itemAt(0)->id(), static_cast<UINT>(IDM_VIEW_DELETE));
  EXPECT_EQ(fromResource.itemAt(1), nullptr);
  EXPECT_EQ(ZMenuDriver::TextOf(*fromResource.itemAt(2)), "Cut\tCtrl+X");
  EXPECT_EQ(fromResource.rowLimit(), 0u);
  EXPECT_EQ(ZColumnMenu(9999, GetModuleHandleA(nullptr)).entryCount(), 0u);  // no such resource: empty

  ZMenuHandle system(CreatePopupMenu());
  HMENU sub = CreatePopupMenu();
  AppendMenuA(sub, MF_STRING, 3, "&Inner");
  AppendMenuA(system.get(), MF_STRING, 1, "Fish && &Chips");
  AppendMenuA(system.get(), MF_STRING | MF_GRAYED, 2, "&Off");
  AppendMenuA(system.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Sub");
  auto built = ZColumnMenu::FromMenu(system.get());
  ASSERT_EQ(built->entryCount(), 3u);
  EXPECT_EQ(ZMenuDriver::TextOf(*built->itemAt(0)), "Fish & Chips");
  EXPECT_FALSE(built->itemAt(0)->disabled());
  EXPECT_TRUE(built->itemAt(1)->disabled());
  ASSERT_NE(built->itemAt(2)->submenu(), nullptr);
  EXPECT_EQ(built->findItem(3), built->itemAt(2)->submenu()->itemAt(0));
  EXPECT_TRUE(built->removeItem(1));
  EXPECT_EQ(built->entryCount(), 2u);
}

TEST_F(PopupMenusTest, TrackMenuReturnsTheCommandChosenWithoutPostingIt) {
  ZMenuHandle system(CreatePopupMenu());
  AppendMenuA(system.get(), MF_STRING, 21, "&First");
  AppendMenuA(system.get(), MF_STRING, 22, "&Second");
  ZMenuDriver driver({"Second"});
  EXPECT_EQ(TrackMenu(system.get(), owner_.get(), POINT{120, 120}), 22u);
  EXPECT_TRUE(driver.followed());
  ZMenuDriver closer;
  EXPECT_EQ(TrackMenu(system.get(), owner_.get(), POINT{120, 120}), 0u);
  EXPECT_EQ(closer.entries().size(), 2u);
  PumpMessagesFor(20);
  EXPECT_TRUE(Owner::Commands().empty());
}

// --- painting ---------------------------------------------------------------

// Saves the screen under `window` as a 24-bit BMP in ZAVOTRA_SHOT_DIR, if set.
void SaveShot(HWND window, const char* name) {
  const char* folder = std::getenv("ZAVOTRA_SHOT_DIR");
  if (!folder) return;
  const RECT r = ScreenRect(window);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(h);
  const std::string path = std::string(folder) + "\\" + name;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, stride, static_cast<size_t>(h), out);
    std::fclose(out);
  }
  SelectObject(copy, previous);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
}

COLORREF ScreenPixel(HWND window, POINT at) {
  ClientToScreen(window, &at);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool RectHasColour(HWND window, const RECT& rect, COLORREF colour) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (ScreenPixel(window, POINT{x, y}) == colour) return true;
  return false;
}

TEST_F(PopupMenusTest, BothStylesPaintFrameHighlightAndDisabledItems) {
  struct Case {
    const char* shot;
    std::unique_ptr<ZMenuStyle> style;
    COLORREF corner, highlight, disabled;
  };
  Case cases[] = {
      {"menu_modern.bmp", std::make_unique<ZModernMenuStyle>(), ZModernMenuStyle::kDark, ZModernMenuStyle::kDark,
       ZModernMenuStyle::kDisabled},
      {"menu_classic.bmp", std::make_unique<ZClassicMenuStyle>(), GetSysColor(COLOR_3DDKSHADOW),
       GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)},
  };
  EXPECT_EQ(ZModernMenuStyle().opacity(), 230);
  EXPECT_EQ(ZClassicMenuStyle().opacity(), 255);
  for (Case& c : cases) {
    auto root = Tree();
    root->setStyle(*c.style);
    auto grid = std::make_unique<ZSymbolsMenu>(std::vector<Symbol>{PictureSymbol(1, [](int x, int y) {
                                                 return (x - 16) * (x - 16) + (y - 16) * (y - 16) < 144;
                                               })},
                                               31);
    ZMenuItem& more = *root->findItem(13);
    root->attachSubmenu(more, std::move(grid));  // replaces "Inner"
    EXPECT_EQ(root->findItem(14), nullptr);
    root->popup(owner_.get(), At(150, 150), false);
    ASSERT_NE(root->window(), nullptr);
    const POINT onMore = CellCentre(*root, 2);
    SendMessageA(root->window(), WM_MOUSEMOVE, 0, MAKELPARAM(onMore.x, onMore.y));
    ZMenu* submenu = more.submenu();
    ASSERT_TRUE(WaitPumpingFor([&] { return submenu->window() && IsWindowVisible(submenu->window()); }, 2000));
    // A submenu's style is a clone of its parent's.
    EXPECT_EQ(typeid(submenu->style()), typeid(*c.style));
    const POINT onSymbol = CellCentre(*submenu, 0);
    SendMessageA(submenu->window(), WM_MOUSEMOVE, 0, MAKELPARAM(onSymbol.x, onSymbol.y));
    PumpMessagesFor(50);
    UpdateWindow(root->window());
    UpdateWindow(submenu->window());

    const RECT r = ScreenRect(root->window());
    // The top right corner: the submenu covers the right edge further down.
    EXPECT_EQ(ScreenPixel(root->window(), POINT{r.right - r.left - 1, 0}), c.corner) << c.shot;
    const RECT& moreRect = more.rect();
    EXPECT_EQ(ScreenPixel(root->window(), POINT{moreRect.left, moreRect.top}), c.highlight) << c.shot;
    EXPECT_TRUE(RectHasColour(root->window(), root->itemAt(1)->rect(), c.disabled)) << c.shot;
    // The symbol's silhouette in the highlighted text colour.
    const RECT& symbol = submenu->itemAt(0)->rect();
    EXPECT_EQ(ScreenPixel(submenu->window(), POINT{symbol.left + 16, symbol.top + 16}),
              submenu->style().textColour(true, false))
        << c.shot;
    SaveShot(root->window(), c.shot);
    SaveShot(submenu->window(), (std::string("sub_") + c.shot).c_str());
    root->close();
    EXPECT_FALSE(IsWindowVisible(root->window()));
    EXPECT_FALSE(IsWindowVisible(submenu->window()));
  }
}

TEST_F(PopupMenusTest, TranslucencyIsALayeredWindowOrABlendOverTheSavedScreen) {
  // A red window behind the menu.
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ZavotraMenuTestBackdrop";
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  wc.hbrBackground = red;
  RegisterClassA(&wc);
  HWND backdrop = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 300, 300, 200, 200, nullptr,
                                  nullptr, wc.hInstance, nullptr);
  UpdateWindow(backdrop);
  PumpMessagesFor(50);

  // Blending: the menu's background is 230 parts its own colour, 25 parts red.
  SetCapability(Capability::AlphaBlend, true);
  {
    auto menu = LongColumn(3);
    menu->popup(owner_.get(), At(320, 320), false);
    ASSERT_NE(menu->window(), nullptr);
    UpdateWindow(menu->window());
    EXPECT_EQ(GetWindowLongPtrA(menu->window(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    const COLORREF seen = ScreenPixel(menu->window(), POINT{3, 3});  // inside the margin
    const COLORREF light = ZModernMenuStyle::kLight;
    auto mixed = [](int own, int behind) { return (own * 230 + behind * 25) / 255; };
    EXPECT_NEAR(GetRValue(seen), mixed(GetRValue(light), 255), 3);
    EXPECT_NEAR(GetGValue(seen), mixed(GetGValue(light), 0), 3);
    EXPECT_NEAR(GetBValue(seen), mixed(GetBValue(light), 0), 3);
    // The classic style is opaque: nothing to blend.
    auto classic = LongColumn(3);
    classic->setStyle(ZClassicMenuStyle());
    classic->popup(owner_.get(), At(420, 320), false);
    UpdateWindow(classic->window());
    EXPECT_EQ(ScreenPixel(classic->window(), POINT{3, 3}), GetSysColor(COLOR_MENU));
  }
  // A layered window where the system has them.
  SetCapability(Capability::LayeredWindows, true);
  {
    auto menu = LongColumn(3);
    menu->popup(owner_.get(), At(320, 320), false);
    ASSERT_NE(menu->window(), nullptr);
    EXPECT_NE(GetWindowLongPtrA(menu->window(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(menu->window(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 230);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  }
  DestroyWindow(backdrop);
  DeleteObject(red);
}

// A library with the categories "Letters" (two symbols), "Arrows" (one)
// and an empty third; the user's own symbols only when `own` is set.
void WriteLibrary(const TempFolder& folder, bool own) {
  const std::string library = folder.slashed() + "lib\\";
  CreateDirectoryA(library.c_str(), nullptr);
  for (const char* sub : {"01", "02", "03"}) CreateDirectoryA((library + sub).c_str(), nullptr);
  auto save = [](uint32_t id, const char* name, const std::string& path) {
    Symbol symbol = SquareSymbol(id);
    symbol.setName(name);
    SaveSymbolFile(symbol, path, DefaultKey());
  };
  save(1, "Arrow", library + "01\\a.zts");
  save(2, "Bee", library + "03\\b.zts");
  save(3, "Cee", library + "03\\c.zts");
  WriteWholeFile(library + "rdr01", {'3', ' ', '1', '\r', '\n', '2', '\n'});
  const std::string table = "1\tArrows\n2\tEmpty\n3\tLetters\n";
  WriteWholeFile(library + "cat01", std::vector<uint8_t>(table.begin(), table.end()));
  SymbolLibrary().loadCategories(library);
  const std::string mine = folder.slashed() + "mine";
  CreateDirectoryA(mine.c_str(), nullptr);
  if (own) save(4, "Mine", mine + "\\mine.zts");
  SymbolLibrary().loadUserSymbols(mine, DefaultKey());
}

std::vector<std::string> Texts(const ZMenu& menu) {
  std::vector<std::string> texts;
  for (size_t i = 0; i < menu.entryCount(); ++i)
    texts.push_back(menu.itemAt(i) ? ZMenuDriver::TextOf(*menu.itemAt(i)) : "-");
  return texts;
}

TEST_F(PopupMenusTest, TheLibraryMenuListsMySymbolsAndTheCategoriesAndGivesTheChosenSymbol) {
  TempFolder folder;
  WriteLibrary(folder, false);
  {
    // No symbols of the user's own: the categories come first, no separator.
    ZSymbolLibraryMenu menu(41);
    EXPECT_EQ(Texts(menu), (std::vector<std::string>{"Letters", "Arrows", "Empty"}));
    EXPECT_EQ(menu.rowLimit(), 10u);
    EXPECT_TRUE(menu.itemAt(2)->disabled());  // nothing to open
    ASSERT_NE(menu.itemAt(0)->submenu(), nullptr);
    const ZMenu& letters = *menu.itemAt(0)->submenu();
    EXPECT_EQ(Texts(letters), (std::vector<std::string>{"Bee", "Cee"}));
    EXPECT_EQ(letters.itemAt(1)->id(), 41u);
    EXPECT_EQ(menu.chosenSymbol(letters.itemAt(1)), &SymbolLibrary().categories()[0].symbols[1]);
    EXPECT_EQ(menu.chosenSymbol(menu.itemAt(0)), nullptr);
    EXPECT_EQ(menu.chosenSymbol(nullptr), nullptr);
  }
  WriteLibrary(folder, true);
  {
    ZSymbolLibraryMenu menu(41);
    EXPECT_EQ(Texts(menu), (std::vector<std::string>{"My Symbols", "-", "Letters", "Arrows", "Empty"}));
  }
  // The call for a "choose a symbol" button: the library's own symbol, or
  // null when the menu closes without a choice.
  {
    ZMenuDriver driver({"Letters", "Cee"});
    const Symbol* chosen = ZSymbolLibraryMenu::choose(owner_.get(), POINT{150, 150});
    EXPECT_TRUE(driver.followed());
    EXPECT_EQ(chosen, &SymbolLibrary().categories()[0].symbols[1]);
  }
  {
    ZMenuDriver closer;
    EXPECT_EQ(ZSymbolLibraryMenu::choose(owner_.get(), POINT{150, 150}), nullptr);
    EXPECT_EQ(closer.entries().size(), 4u);
  }
  PumpMessagesFor(20);
  EXPECT_TRUE(Owner::Commands().empty());
}

}  // namespace
