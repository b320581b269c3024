// The action views on real windows under Wine: the item grid, selecting and
// renaming with the mouse, delete with its questions, cut, copy and paste
// within and between views, the context menu, and the collapsed strip. Every
// change is checked on disk.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/default_key.h"
#include "gesture/symbol_file.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"
#include "tests/support/menu_driving.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/modal_answerers.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_test_host.h"
#include "tests/ui/view_fixtures.h"
#include "ui/action_view.h"
#include "ui/view_layout.h"

namespace {
using Names = std::vector<std::string>;

const ZKeyBlock& PlainKey() { return DefaultKey(); }

class ActionViewTest : public ::testing::Test {
 protected:
  ActionViewTest() : host_(20, 20, 600, 300) { SetWindowPos(host_.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

  // An open view of a plug-in with these actions, saved in `file`.
  ZActionView& openView(const std::string& file, const Names& names, ZActionClipboard& clipboard) {
    const std::string path = folder_.file(file);
    WriteNamedPlugin(path, names);
    auto& view = host_.add<ZActionView>(clipboard, &PlainKey);
    view.place(RECT{0, 0, 570, 231});
    view.setPlugin(LoadPlugin(path));
    view.open(true);
    UpdateWindow(view.listView());  // a first paint keeps the items where the view put them
    ZTestHost::Pump();
    return view;
  }
  static void Select(const ZActionView& view, const std::vector<int>& items) {
    ListView_SetItemState(view.listView(), -1, 0, LVIS_SELECTED);
    for (int item : items) ListView_SetItemState(view.listView(), item, LVIS_SELECTED, LVIS_SELECTED);
  }
  static POINT LabelCentre(const ZActionView& view, int item) {
    RECT r = {};
    r.left = LVIR_LABEL;
    SendMessageA(view.listView(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static void Click(HWND window, POINT at, WPARAM keys = MK_LBUTTON) {
    SendMessageA(window, WM_LBUTTONDOWN, keys, MAKELPARAM(at.x, at.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  std::string path(const std::string& file) const { return folder_.file(file); }

  TempFolder folder_;
  ZTestHost host_;
  ZActionClipboard shared_;
  ZActionClipboard services_;
};
}  // namespace

TEST_F(ActionViewTest, ItemsSitInTheGridFiftySevenByShiftySevenFromTwelve) {
  Names names;
  for (int i = 0; i < 11; ++i) names.push_back("Action " + std::to_string(i));
  auto& view = openView("common.ztc", names, shared_);
  ASSERT_EQ(ListView_GetItemCount(view.listView()), 11);
  const auto expected = ItemPlaces(11, 570);
  for (int i : {0, 1, 8, 9, 10}) {
    POINT at = {};
    ListView_GetItemPosition(view.listView(), i, &at);
    EXPECT_EQ(at.x, expected[i].x) << i;
    EXPECT_EQ(at.y, expected[i].y) << i;
  }
  char text[64] = "";
  ListView_GetItemText(view.listView(), 9, 0, text, sizeof text);
  EXPECT_STREQ(text, "Action 9");
}

TEST_F(ActionViewTest, PastingOverThreeSelectedWithTwoInTheClipboardKeepsTheRestPlusTheTwo) {
  auto& view = openView("common.ztc", {"A", "B", "C", "D", "E"}, shared_);
  Select(view, {3, 4});
  view.copy();
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"A", "B", "C", "D", "E"}));  // a copy changes nothing
  Select(view, {0, 1, 2});
  view.paste();
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"D", "E", "D", "E"}));
  EXPECT_EQ(ListView_GetItemCount(view.listView()), 4);
  // The pasted ones are copies: the clipboard still holds its own.
  EXPECT_EQ(shared_.actions().size(), 2u);
}

TEST_F(ActionViewTest, CutInCommonAndPasteInApplicationMovesTheServicesViewGetsNothing) {
  auto& common = openView("common.ztc", {"Copy", "Paste", "Undo"}, shared_);
  auto& application = openView("app.zta", {"Bold"}, shared_);
  auto& services = openView("services.ztc", {"Search"}, services_);
  Select(common, {1, 2});
  common.cut();
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Copy"}));
  application.paste();
  EXPECT_EQ(NamesOnDisk(path("app.zta")), (Names{"Bold", "Paste", "Undo"}));
  const std::vector<uint8_t> before = ReadWholeFile(path("services.ztc"));
  services.paste();
  EXPECT_EQ(NamesOnDisk(path("services.ztc")), (Names{"Search"}));
  EXPECT_EQ(ReadWholeFile(path("services.ztc")), before);  // not even written again
  // Without a selection, cut and copy leave the clipboard alone.
  Select(application, {});
  application.copy();
  EXPECT_EQ(shared_.actions().size(), 2u);
}

TEST_F(ActionViewTest, ClickingASelectedLabelRenamesAndTheSameTextIsStillSaved) {
  auto& view = openView("common.ztc", {"Copy", "Paste"}, shared_);
  const POINT label = LabelCentre(view, 1);
  Click(view.listView(), label);  // selects
  EXPECT_EQ(NamesOf(view.selectedActions()), (Names{"Paste"}));
  EXPECT_EQ(ListView_GetEditControl(view.listView()), nullptr);
  Click(view.listView(), label);  // a click on the label of the selected item edits it
  HWND edit = ListView_GetEditControl(view.listView());
  ASSERT_NE(edit, nullptr);

  // Unchanged text: the file is written all the same.
  ASSERT_TRUE(DeleteFileA(path("common.ztc").c_str()));
  SetFocus(host_.window());
  ZTestHost::Pump();
  EXPECT_EQ(ListView_GetEditControl(view.listView()), nullptr);
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Copy", "Paste"}));

  Click(view.listView(), label);
  edit = ListView_GetEditControl(view.listView());
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Paste as text");
  SetFocus(host_.window());
  ZTestHost::Pump();
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Copy", "Paste as text"}));
  char text[64] = "";
  ListView_GetItemText(view.listView(), 1, 0, text, sizeof text);
  EXPECT_STREQ(text, "Paste as text");
}

TEST_F(ActionViewTest, EscapeGivesTheRenameUp) {
  auto& view = openView("common.ztc", {"Copy"}, shared_);
  const POINT label = LabelCentre(view, 0);
  Click(view.listView(), label);
  Click(view.listView(), label);
  HWND edit = ListView_GetEditControl(view.listView());
  ASSERT_NE(edit, nullptr);
  SetWindowTextA(edit, "Not this");
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  ZTestHost::Pump();
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Copy"}));
  EXPECT_EQ(view.plugin()->actions().front()->name(), "Copy");
}

TEST_F(ActionViewTest, DeleteAsksOneWayForOneActionAndAnotherForSeveral) {
  auto& view = openView("common.ztc", {"Copy", "Paste", "Undo", "Redo"}, shared_);
  Select(view, {1});
  {
    ZMessageBoxAnswerer answers({IDNO});
    view.deleteSelected();
    const auto seen = answers.stop();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Zavotra");
    EXPECT_EQ(seen[0].text, "Are you sure you want to delete\nthe 'Paste' action?");
  }
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Copy", "Paste", "Undo", "Redo"}));
  Select(view, {0, 2});
  {
    ZMessageBoxAnswerer answers({IDYES});
    view.deleteSelected();
    const auto seen = answers.stop();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Are you sure you want to delete the selected Actions?");
  }
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Paste", "Redo"}));
  EXPECT_EQ(ListView_GetItemCount(view.listView()), 2);
  // The Delete accelerator reaches the same command through the list view.
  Select(view, {1});
  {
    ZMessageBoxAnswerer answers({IDYES});
    SendMessageA(view.listView(), WM_COMMAND, MAKEWPARAM(IDM_DELETE, 1), 0);
    answers.stop();
  }
  EXPECT_EQ(NamesOnDisk(path("common.ztc")), (Names{"Paste"}));
}

TEST_F(ActionViewTest, TheContextMenuOffersOnlyWhatCanBeDone) {
  auto& view = openView("common.ztc", {"Copy", "Paste"}, shared_);
  auto enabled = [](ZMenuDriver& menu, UINT id) {
    for (const auto& entry : menu.entries())
      if (entry.id == id) return entry.enabled;
    ADD_FAILURE() << "no entry " << id;
    return false;
  };
  {
    ZMenuDriver menu;
    SendMessageA(view.listView(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(500, 200));  // empty space
    EXPECT_FALSE(enabled(menu, IDM_VIEW_DELETE));
    EXPECT_FALSE(enabled(menu, IDM_VIEW_CUT));
    EXPECT_FALSE(enabled(menu, IDM_VIEW_COPY));
    EXPECT_FALSE(enabled(menu, IDM_VIEW_PASTE));
  }
  {
    // A right click on an item selects it first.
    ZMenuDriver menu;
    const POINT on = LabelCentre(view, 0);
    SendMessageA(view.listView(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(on.x, on.y));
    EXPECT_TRUE(enabled(menu, IDM_VIEW_DELETE));
    EXPECT_TRUE(enabled(menu, IDM_VIEW_CUT));
    EXPECT_TRUE(enabled(menu, IDM_VIEW_COPY));
    EXPECT_FALSE(enabled(menu, IDM_VIEW_PASTE));
  }
  EXPECT_EQ(NamesOf(view.selectedActions()), (Names{"Copy"}));
  view.copy();
  {
    ZMenuDriver menu;
    SendMessageA(view.listView(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(500, 200));
    EXPECT_TRUE(enabled(menu, IDM_VIEW_PASTE));
  }
}

TEST_F(ActionViewTest, ACollapsedViewShowsTheSymbolsThatFitAsLightSilhouettes) {
  const std::string file = path("many.ztc");
  Names names;
  for (int i = 0; i < 30; ++i) names.push_back("Action " + std::to_string(i));
  WriteNamedPlugin(file, names);
  auto& view = host_.add<ZActionView>(shared_, &PlainKey);
  const RECT rect = {0, 0, 570, 47};
  view.place(rect);
  view.setPlugin(LoadPlugin(file));

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 570, 47);
  HBITMAP backdrop = CreateCompatibleBitmap(screen, 570, 47);
  ReleaseDC(nullptr, screen);
  const COLORREF background = RGB(10, 20, 30);
  {
    HDC fill = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(fill, backdrop);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all = {0, 0, 570, 47};
    FillRect(fill, &all, brush);
    DeleteObject(brush);
    SelectObject(fill, previous);
    DeleteDC(fill);
  }
  view.setBackground(backdrop, POINT{0, 0});
  HGDIOBJ previous = SelectObject(dc, canvas);
  view.paint(dc, rect);

  const COLORREF silhouette = RGB(0xE6, 0xE6, 0xE6);
  EXPECT_EQ(GetPixel(dc, 4, 20), background);  // left of the strip
  EXPECT_EQ(GetPixel(dc, 20, 6), background);  // above it
  for (int i = 0; i < 21; ++i) {
    EXPECT_EQ(GetPixel(dc, kStripInset + i * kStripPitch + 8, kStripTop + 8), silhouette) << i;
    EXPECT_EQ(GetPixel(dc, kStripInset + i * kStripPitch + 20, kStripTop + 8), background) << i;
  }
  EXPECT_EQ(GetPixel(dc, kStripInset + 21 * kStripPitch + 4, kStripTop + 8), background);  // 22nd: no room
  SelectObject(dc, previous);
  DeleteObject(canvas);
  DeleteObject(backdrop);
  DeleteDC(dc);
}

TEST_F(ActionViewTest, ClickingAnIconOffersTheSymbolsAndTheChosenOneIsSaved) {
  // The user's own symbols: one, "Circle".
  CreateDirectoryA(path("symbols").c_str(), nullptr);
  Symbol circle = PictureSymbol(77, [](int x, int y) { return (x - 16) * (x - 16) + (y - 16) * (y - 16) < 100; });
  circle.setName("Circle");
  SaveSymbolFile(circle, path("symbols\\circle.zts"), DefaultKey());
  SymbolLibrary().loadUserSymbols(path("symbols"), DefaultKey());
  ASSERT_EQ(SymbolLibrary().userSymbols().size(), 1u);

  auto& view = openView("common.ztc", {"Copy", "Paste"}, shared_);
  RECT icon = {};
  icon.left = LVIR_ICON;
  SendMessageA(view.listView(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));
  {
    // Onto "Symbol", into "My Symbols", onto "Circle", and choose it.
    ZMenuDriver menu({"Symbol", "My Symbols", "Circle"});
    Click(view.listView(), POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    const ZMenuDriver::Entry* symbols = menu.find("Symbol");
    ASSERT_NE(symbols, nullptr);
    EXPECT_TRUE(symbols->enabled);
    ASSERT_NE(menu.find("My Symbols"), nullptr);
    EXPECT_NE(menu.find("Circle"), nullptr);
    ASSERT_NE(menu.find("Edit..."), nullptr);
    EXPECT_TRUE(menu.find("Edit...")->enabled);  // a macro opens in the action wizard
    EXPECT_TRUE(menu.followed());
  }
  ZTestHost::Pump();
  EXPECT_EQ(NamesOf(view.selectedActions()), (Names{"Paste"}));
  const auto plugin = LoadPlugin(path("common.ztc"));
  ASSERT_NE(plugin->actions()[1]->symbol(), nullptr);
  EXPECT_EQ(plugin->actions()[1]->symbol()->name(), "Circle");
  EXPECT_EQ(plugin->actions()[1]->symbol()->identifier(), 77u);
  EXPECT_EQ(plugin->actions()[0]->symbol()->identifier(), 10u);  // the other action keeps its own
  SymbolLibrary().loadUserSymbols(path("no symbols here"), DefaultKey());
}

// "Edit..." runs the action wizard on a copy: a finished edit replaces the
// action in its place and is saved; a cancelled one leaves the plug-in and
// its file alone.
TEST_F(ActionViewTest, EditingAnActionKeepsAFinishedWizardAndDropsACancelledOne) {
  struct Case {
    int button;
    Names inView;
    bool saved;
  };
  const Case cases[] = {{IDC_WIZARD_FINISH, {"Copy", "Paste plain", "Undo"}, true},
                        {IDCANCEL, {"Copy", "Paste", "Undo"}, false}};
  for (const Case& c : cases) {
    ZActionClipboard clipboard;
    auto& view = openView("edit.ztc", {"Copy", "Paste", "Undo"}, clipboard);
    ASSERT_TRUE(DeleteFileA(path("edit.ztc").c_str()));
    Select(view, {1});
    std::thread user([&] {
      HWND wizard = WaitForDialog("Action edition wizard", IDC_WIZARD_FINISH);
      if (!wizard) return;
      const auto page = [wizard] { return FindWindowExA(wizard, nullptr, "#32770", nullptr); };
      SetItemText(page(), IDC_ACTION_NAME, "Paste plain");
      ::Click(wizard, IDC_WIZARD_NEXT);
      ::Click(wizard, IDC_WIZARD_NEXT);
      CheckDlgButton(page(), IDC_ACTION_CHOOSE_TEXT, BST_CHECKED);
      ::Click(wizard, IDC_WIZARD_NEXT);
      SetItemText(page(), IDC_ACTION_TEXT, "plain");
      ::Click(wizard, c.button);
    });
    EXPECT_TRUE(view.command(ID_EDIT_ACTION));
    user.join();
    EXPECT_EQ(NamesOf(std::vector<ZAction*>{view.plugin()->actions()[0].get(), view.plugin()->actions()[1].get(),
                                            view.plugin()->actions()[2].get()}),
              c.inView);
    EXPECT_EQ(GetFileAttributesA(path("edit.ztc").c_str()) != INVALID_FILE_ATTRIBUTES, c.saved);
    if (c.saved) {
      EXPECT_EQ(NamesOnDisk(path("edit.ztc")), c.inView);
      const auto reloaded = LoadPlugin(path("edit.ztc"));
      const auto* macro = dynamic_cast<const ZMacro*>(reloaded->actions()[1].get());
      ASSERT_NE(macro, nullptr);
      EXPECT_EQ(macro->size(), 1u);
    }
    char text[64] = "";
    ListView_GetItemText(view.listView(), 1, 0, text, sizeof text);
    EXPECT_EQ(text, c.inView[1]);
  }
}
