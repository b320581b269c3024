// The main window in this process under Wine, made the way start-up makes it
// (a profile of a test installation, its plug-ins, the real hook library):
// its place and shape, the tray icon as the capture status, the close box,
// the feedback after a gesture, labels and pages, the sound button, the
// menus with their disabled and listed entries, the end of the session.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/app_context.h"
#include "common/default_key.h"
#include "common/settings.h"
#include "common/tray_icon.h"
#include "gesture/hook_library.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "shell/folders.h"
#include "shell/main_commands.h"
#include "shell/main_window.h"
#include "shell/application.h"
#include "shell/profile_set.h"
#include "shell/road_steps.h"
#include "shell/settings_effects.h"
#include "shell/skin_region.h"
#include "shell/startup_steps.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/menu_driving.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/modal_answerers.h"
#include "tests/support/symbol_editor_driving.h"
#include "tests/ui/view_fixtures.h"
#include "ui/action_view.h"
#include "actions/command_text.h"
#include "ui/action_wizard.h"
#include "ui/on_off_button.h"
#include "ui/text_button.h"
#include "ui/view_container.h"

#ifndef ZAVOTRA_STAGED_EXE
#error "the test needs the path of the staged program"
#endif

namespace {
using Names = std::vector<std::string>;
using Slot = ZPluginManager::Slot;

const char kEnabledTip[] = "Zavotra - Use CTRL key to disable";
const char kDisabledTip[] = "Zavotra (disabled)";

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    Pump();
    Sleep(10);
  }
}

template <typename Condition>
bool PumpUntil(Condition condition, DWORD ms = 10000) {
  const DWORD start = GetTickCount();
  while (!condition() && GetTickCount() - start < ms) {
    Pump();
    Sleep(10);
  }
  return condition();
}

std::string StagedHookLibrary() {
  const std::string program = ZAVOTRA_STAGED_EXE;
  return program.substr(0, program.size() - strlen("Zavotra.exe")) + "system\\Zavotra.dll";
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::string TipText(HWND tooltip, HWND owner, UINT_PTR id) {
  char text[256] = "";
  TTTOOLINFOA info = {};
  info.cbSize = sizeof info;
  info.hwnd = owner;
  info.uId = id;
  info.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
  return text;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folders().deriveFrom(install_.root());
    ASSERT_TRUE(CopyFileA(StagedHookLibrary().c_str(), (Folders().system + "Zavotra.dll").c_str(), FALSE));
    InstallPluginProfileHooks();
    InstallSymbolProfileHook();
    Profiles().reset();
    ASSERT_EQ(Profiles().open(), ZProfileResult::Done);
    WriteNamedPlugin(Folders().profilePlugins + "common.ztc", {"Copy", "Paste", "Undo"});
    WriteNamedPlugin(Folders().profilePlugins + "services.ztc", {"Search"});
    Settings().playSounds = false;
    Settings().autoHide = false;
  }
  void TearDown() override {
    window_.destroy();
    DestroyTrayIcon();
    Pump();
    while (ModalDialogCount() > 0) LeaveModalDialog();
    Profiles().reset();
  }
  // An application plug-in of the catalogue, with its name and one action.
  void writeApplicationPlugin(const std::string& file, const std::string& name, const std::string& key = "") {
    ZPlugin plugin;
    plugin.setName(name);
    plugin.setKey(key);
    plugin.addAction(NamedMacro(name + " action"));
    plugin.saveAs(Folders().profilePlugins + file, DefaultKey());
  }
  void create() {
    ASSERT_TRUE(window_.create());
    Pump();
  }
  HWND handle() const { return window_.handle(); }
  void mouse(UINT message, POINT at, WPARAM keys = 0) {
    SendMessageA(handle(), message, keys, MAKELPARAM(at.x, at.y));
  }
  void click(POINT at) {
    mouse(WM_MOUSEMOVE, at);
    mouse(WM_LBUTTONDOWN, at, MK_LBUTTON);
    mouse(WM_LBUTTONUP, at);
  }
  void tray(UINT mouseMessage) { SendMessageA(handle(), WM_TRAY_NOTIFY, ID_TRAY_ICON, mouseMessage); }
  static void ExpectTray(int iconId, const std::string& tip) {
    EXPECT_EQ(TrayIcon().iconId(), iconId);
    EXPECT_EQ(TrayIcon().tip(), tip);
  }
  Names itemNames(Slot slot) const {
    Names names;
    HWND list = window_.view(slot).listView();
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      char text[128] = "";
      ListView_GetItemText(list, i, 0, text, sizeof text);
      names.push_back(text);
    }
    return names;
  }

  ZTestInstallation install_;
  ZMainWindow window_;
};
}  // namespace

TEST_F(MainWindowTest, AFirstStartOpensCentredInTheShapeOfTheSkinWithTheCommonActions) {
  create();
  EXPECT_TRUE(IsWindowVisible(handle()));
  RECT place;
  GetWindowRect(handle(), &place);
  EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 573) / 2);  // WindowX/WindowY at their defaults
  EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 511) / 2);
  EXPECT_EQ(place.right - place.left, 573);
  EXPECT_EQ(place.bottom - place.top, 511);
  EXPECT_FALSE(Settings().firstTime);  // the new profile was saved at once

  EXPECT_TRUE(window_.view(ZPluginManager::kCommon).isOpen());
  EXPECT_FALSE(window_.view(ZPluginManager::kServices).isOpen());
  EXPECT_EQ(itemNames(ZPluginManager::kCommon), (Names{"Copy", "Paste", "Undo"}));
  EXPECT_EQ(window_.label(ZPluginManager::kServices).text(), "Internet Services");
  EXPECT_EQ(window_.label(ZPluginManager::kCommon).text(), "Common actions");
  EXPECT_EQ(window_.label(ZPluginManager::kApplication).text(), "No specific actions available for this application");
  EXPECT_TRUE(TrayIcon().added());
  EXPECT_EQ(TrayIcon().window(), handle());
  ExpectTray(IDI_CAPTURE_ENABLED, kEnabledTip);
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_MAIN_MENU_BUTTON), "Main Menu");
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_HIDE_BUTTON), "Hide Zavotra");
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_COMMON_LABEL), "Local Menu");
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_SERVICES_LABEL), "Maximize View");
}

TEST_F(MainWindowTest, TheWindowRegionIsTheOpaqueOutlineOfTheSkin) {
  create();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(handle(), region), ERROR);
  ZBitmap skin(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_SKIN)));
  int width = 0, height = 0;
  const std::vector<uint8_t> opaque = OpaquePixels(skin.get(), width, height);
  ASSERT_EQ(width, 573);
  ASSERT_EQ(height, 511);
  auto at = [&](int x, int y) { return opaque[static_cast<size_t>(y) * width + x] != 0; };
  // Away from the outline itself, where a polygon through pixel corners may
  // fall either way, the region holds exactly the opaque pixels.
  int inside = 0, outside = 0;
  for (int y = 1; y < height - 1; y += 3) {
    for (int x = 1; x < width - 1; x += 3) {
      const bool here = at(x, y);
      bool uniform = true;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) uniform = uniform && at(x + dx, y + dy) == here;
      if (!uniform) continue;
      EXPECT_EQ(PtInRegion(region, x, y) != FALSE, here) << x << "," << y;
      (here ? inside : outside) += 1;
    }
  }
  EXPECT_GT(inside, 20000);
  EXPECT_GT(outside, 10);  // the rounded corners
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_TRUE(PtInRegion(region, 286, 255));
  DeleteObject(region);
}

TEST_F(MainWindowTest, TheCloseBoxHidesAndOnlyTheAnsweredQuestionEndsTheProgram) {
  create();
  SendMessageA(handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(handle()));
  EXPECT_TRUE(IsWindow(handle()));
  EXPECT_TRUE(TrayIcon().added());  // still reachable
  {
    ZMessageBoxAnswerer answers({IDNO});
    SendMessageA(handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto seen = answers.stop();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Zavotra");
    EXPECT_EQ(seen[0].text, "You are about to exit Zavotra.\nAll functions will be disabled. Are you sure?");
  }
  EXPECT_TRUE(IsWindow(handle()));
  HWND window = handle();
  {
    ZMessageBoxAnswerer answers({IDYES});
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    answers.stop();
  }
  EXPECT_FALSE(IsWindow(window));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowTest, RightClicksOnTheTraySwitchCaptureOffAndOnAndTheTipSaysSo) {
  create();
  ASSERT_NE(LoadedHookLibrary(), nullptr);
  ASSERT_TRUE(LoadedHookLibrary()->isEnabled());
  tray(WM_RBUTTONDOWN);
  EXPECT_FALSE(LoadedHookLibrary()->isEnabled());
  ExpectTray(IDI_CAPTURE_DISABLED, kDisabledTip);
  tray(WM_RBUTTONDOWN);
  EXPECT_TRUE(LoadedHookLibrary()->isEnabled());
  ExpectTray(IDI_CAPTURE_ENABLED, kEnabledTip);
  {
    ZModalDialogScope modal;  // an open dialog of the program: the tray does nothing
    tray(WM_RBUTTONDOWN);
    EXPECT_TRUE(LoadedHookLibrary()->isEnabled());
    EXPECT_EQ(SendMessageA(handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  }
  EXPECT_EQ(SendMessageA(handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(MainWindowTest, ALeftClickOnTheTrayBringsTheHiddenWindowForward) {
  Settings().firstTime = false;  // starts hidden
  create();
  EXPECT_FALSE(IsWindowVisible(handle()));
  tray(WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(handle()));
  EXPECT_EQ(GetForegroundWindow(), handle());
  EXPECT_FALSE(GetWindowLongA(handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The hide button sends it back.
  click(Centre(RECT{522, 35, 562, 75}));
  EXPECT_FALSE(IsWindowVisible(handle()));
}

TEST_F(MainWindowTest, AGestureThatMatchesNothingShowsSymbolNotRecognizedForTwoSeconds) {
  create();
  PostMessageA(handle(), WM_HOOK_STROKE_BEGIN, 0, MAKELPARAM(100, 100));
  for (int d = 10; d <= 200; d += 10) PostMessageA(handle(), WM_HOOK_STROKE_POINT, 0, MAKELPARAM(100 + d, 100));
  for (int d = 10; d <= 200; d += 10) PostMessageA(handle(), WM_HOOK_STROKE_POINT, 0, MAKELPARAM(300 - d, 100 + d));
  PostMessageA(handle(), WM_HOOK_GESTURE_END, 0, 0);
  const DWORD ended = GetTickCount();
  ASSERT_TRUE(PumpUntil([] { return TrayIcon().iconId() == IDI_SYMBOL_NOT_RECOGNIZED; }));
  ExpectTray(IDI_SYMBOL_NOT_RECOGNIZED, "Symbol not recognized");
  PumpFor(1000);
  if (GetTickCount() - ended < 1900) ExpectTray(IDI_SYMBOL_NOT_RECOGNIZED, "Symbol not recognized");
  ASSERT_TRUE(PumpUntil([] { return TrayIcon().iconId() == IDI_CAPTURE_ENABLED; }, 10000));
  EXPECT_GE(GetTickCount() - ended, 1900u);
  ExpectTray(IDI_CAPTURE_ENABLED, kEnabledTip);
}

TEST_F(MainWindowTest, ALabelOpensItsPageAndAnOpenPagesLabelShowsItsMenu) {
  create();
  const POINT services = Centre(window_.label(ZPluginManager::kServices).rect());
  click(services);
  EXPECT_TRUE(window_.view(ZPluginManager::kServices).isOpen());
  EXPECT_FALSE(window_.view(ZPluginManager::kCommon).isOpen());
  EXPECT_EQ(window_.openSlot(), ZPluginManager::kServices);
  EXPECT_EQ(itemNames(ZPluginManager::kServices), (Names{"Search"}));
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_SERVICES_LABEL), "Local Menu");
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_COMMON_LABEL), "Maximize View");
  // The services page sits right under its label; the common label moved down.
  const RECT& servicesView = window_.view(ZPluginManager::kServices).rect();
  EXPECT_EQ(servicesView.bottom - servicesView.top, 231);
  EXPECT_EQ(window_.label(ZPluginManager::kCommon).rect().top, 81 + 22 + 231 + 1);

  ZMenuDriver menu;
  click(services);
  ASSERT_NE(menu.find("New Web Service Action..."), nullptr);
  EXPECT_TRUE(menu.find("New Web Service Action...")->enabled);  // the service editor
  EXPECT_TRUE(window_.view(ZPluginManager::kServices).isOpen());
}

TEST_F(MainWindowTest, TheSoundButtonSwitchesTheSoundsSetting) {
  Settings().playSounds = true;
  create();
  const POINT sound = Centre(window_.soundButton().rect());
  click(sound);
  EXPECT_FALSE(Settings().playSounds);
  EXPECT_FALSE(window_.soundButton().state());
  click(sound);
  EXPECT_TRUE(Settings().playSounds);
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindowAndTheSettingsFollow) {
  writeApplicationPlugin("drag.zta", "Dragged", "DragGuardTarget");
  PluginManager().reloadCatalogue(Folders().profilePlugins);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "DragGuardTarget";
  RegisterClassA(&wc);
  HWND target = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "target", WS_POPUP | WS_VISIBLE, 40, 40, 200, 200,
                                nullptr, nullptr, wc.hInstance, nullptr);
  create();
  RECT start;
  GetWindowRect(handle(), &start);
  mouse(WM_LBUTTONDOWN, POINT{300, 15}, MK_LBUTTON);
  EXPECT_TRUE(window_.dragging());
  mouse(WM_MOUSEMOVE, POINT{280, 25}, MK_LBUTTON);
  // While the window is dragged, the drawing button going down elsewhere
  // detects no application.
  SendMessageA(handle(), WM_HOOK_ARM, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(window_.view(ZPluginManager::kApplication).plugin(), nullptr);
  mouse(WM_LBUTTONUP, POINT{280, 25});
  EXPECT_FALSE(window_.dragging());
  EXPECT_EQ(Settings().windowX, start.left - 20);
  EXPECT_EQ(Settings().windowY, start.top + 10);
  SendMessageA(handle(), WM_HOOK_ARM, 0, MAKELPARAM(100, 100));
  ASSERT_NE(window_.view(ZPluginManager::kApplication).plugin(), nullptr);
  EXPECT_EQ(window_.label(ZPluginManager::kApplication).text(), "Specific actions for Dragged");
  DestroyWindow(target);
}

TEST_F(MainWindowTest, AcceleratorsReachTheFocusedViewButNotANameBeingTyped) {
  create();
  HACCEL table = LoadAcceleratorsA(AppInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  HWND list = window_.view(ZPluginManager::kCommon).listView();
  SetFocus(list);
  ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  MSG key = {list, WM_KEYDOWN, VK_DELETE, 0x00530001, 0, {}};
  {
    ZMessageBoxAnswerer answers({IDNO});
    EXPECT_TRUE(TranslateFocusAccelerator(table, key));
    const auto seen = answers.stop();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Are you sure you want to delete\nthe 'Copy' action?");
  }
  // While an action's name is typed, Delete deletes text in it.
  HWND edit = ListView_EditLabel(list, 0);
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(GetFocus(), edit);
  MSG inEdit = {edit, WM_KEYDOWN, VK_DELETE, 0x00530001, 0, {}};
  EXPECT_FALSE(TranslateFocusAccelerator(table, inEdit));
  SetFocus(list);
  DestroyAcceleratorTable(table);
}

// Records the commands that reach a window, then hands every message on.
class ZCommandRecorder {
 public:
  explicit ZCommandRecorder(HWND window) : window_(window) {
    recorder_ = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZCommandRecorder::procedure)));
  }
  ~ZCommandRecorder() {
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    recorder_ = nullptr;
  }
  std::vector<WORD> commands;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) recorder_->commands.push_back(LOWORD(wParam));
    return CallWindowProcA(recorder_->previous_, window, message, wParam, lParam);
  }
  static ZCommandRecorder* recorder_;
  HWND window_;
  WNDPROC previous_;
};
ZCommandRecorder* ZCommandRecorder::recorder_ = nullptr;

TEST_F(MainWindowTest, AnAcceleratorOfTheMainWindowPressedInAViewReachesTheMainWindow) {
  create();
  HACCEL table = LoadAcceleratorsA(AppInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  HWND list = window_.view(ZPluginManager::kCommon).listView();
  SetFocus(list);
  ASSERT_EQ(GetFocus(), list);
  // The test has no Internet session, so the exchange it asks for only beeps.
  {
    ZCommandRecorder recorder(window_.handle());
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    MSG key = {list, WM_KEYDOWN, 'U', 0x00160001, 0, {}};
    EXPECT_TRUE(TranslateFocusAccelerator(table, key));
    keys[VK_CONTROL] = keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(recorder.commands, std::vector<WORD>{IDM_EXCHANGE_NOW});
  }
  DestroyAcceleratorTable(table);
}

TEST_F(MainWindowTest, TheMenusDisableWhatIsNotThereYetAndListThePluginsSorted) {
  writeApplicationPlugin("z.zta", "Zeta");
  writeApplicationPlugin("a.zta", "alpha");
  writeApplicationPlugin("b.zta", "Beta");
  PluginManager().reloadCatalogue(Folders().profilePlugins);
  create();
  ZMainCommands& commands = window_.commands();
  std::vector<std::string> listed;
  for (const auto& entry : commands.listFor(IDM_SWITCH_PLUGIN)) listed.push_back(entry.text);
  EXPECT_EQ(listed, (Names{"alpha", "Beta", "Zeta"}));
  EXPECT_TRUE(commands.enabled(IDM_SWITCH_PLUGIN));
  EXPECT_TRUE(commands.enabled(IDM_DELETE_PLUGIN));
  EXPECT_TRUE(commands.enabled(IDM_COMMON_NEW_ACTION));
  for (WORD later : {IDM_APPLICATION_NEW_ACTION, IDM_EDIT_SYMBOL}) {  // no application plug-in, no own symbols
    EXPECT_FALSE(commands.enabled(later)) << later;
    EXPECT_FALSE(commands.run(later, 0)) << later;
  }
  for (WORD working : {IDM_NEW_SYMBOL, IDM_NEW_SERVICE_ACTION, IDM_PASSWORD_MANAGER, IDM_PASSWORD_MANAGER_PROFILE,
                       IDM_PASSWORD_MANAGER_SERVICES})
    EXPECT_TRUE(commands.enabled(working)) << working;
  EXPECT_FALSE(commands.enabled(IDM_APPLICATION_DELETE_ACTIONS));  // the application slot is empty
  EXPECT_FALSE(commands.enabled(IDM_SWITCH_PROFILE));               // one profile only

  // The real menu of the application page, opened from its label.
  click(Centre(window_.label(ZPluginManager::kApplication).rect()));
  ASSERT_TRUE(window_.view(ZPluginManager::kApplication).isOpen());
  {
    ZMenuDriver menu;
    click(Centre(window_.label(ZPluginManager::kApplication).rect()));
    const ZMenuDriver::Entry* switchTo = menu.find("Switch To Plug-in");
    ASSERT_NE(switchTo, nullptr);
    EXPECT_TRUE(switchTo->enabled);
    ASSERT_EQ(switchTo->submenu.size(), 3u);
    EXPECT_EQ(switchTo->submenu[0].text, "alpha");
    EXPECT_EQ(switchTo->submenu[2].text, "Zeta");
    EXPECT_TRUE(menu.find("New Plug-in...")->enabled);
    EXPECT_FALSE(menu.find("New Action...")->enabled);
  }

  // Choosing "Beta" in the menu: the application page shows it, under its name.
  {
    ZMenuDriver menu({"Switch To Plug-in", "Beta"});
    click(Centre(window_.label(ZPluginManager::kApplication).rect()));
    EXPECT_TRUE(menu.followed());
  }
  EXPECT_EQ(window_.label(ZPluginManager::kApplication).text(), "Specific actions for Beta");
  EXPECT_EQ(itemNames(ZPluginManager::kApplication), (Names{"Beta action"}));
  EXPECT_EQ(TipText(window_.tooltip(), handle(), ID_APPLICATION_LABEL), "Local Menu");

  // An empty catalogue: both lists are disabled.
  for (const auto& entry : commands.listFor(IDM_DELETE_PLUGIN)) DeleteFileA(entry.value.c_str());
  PluginManager().reloadCatalogue(Folders().profilePlugins);
  EXPECT_FALSE(commands.enabled(IDM_SWITCH_PLUGIN));
  EXPECT_FALSE(commands.enabled(IDM_DELETE_PLUGIN));
  {
    ZMenuDriver menu;
    click(Centre(window_.label(ZPluginManager::kApplication).rect()));
    ASSERT_NE(menu.find("Switch To Plug-in"), nullptr);
    EXPECT_FALSE(menu.find("Switch To Plug-in")->enabled);
    EXPECT_FALSE(menu.find("Delete Plug-in")->enabled);
  }
}

TEST_F(MainWindowTest, TheMainMenuOffersTheWorkingCommands) {
  create();
  ZMenuDriver menu;
  click(Centre(RECT{427, 35, 467, 75}));
  ASSERT_FALSE(menu.entries().empty());
  EXPECT_TRUE(menu.find("About Zavotra...")->enabled);
  EXPECT_TRUE(menu.find("Exit")->enabled);
  EXPECT_TRUE(menu.find("New Profile...")->enabled);
  EXPECT_TRUE(menu.find("Change Password...")->enabled);
  EXPECT_TRUE(menu.find("Preferences...")->enabled);
  EXPECT_TRUE(menu.find("Sound Themes...")->enabled);
  EXPECT_TRUE(menu.find("Download Plug-ins...")->enabled);
  EXPECT_FALSE(menu.find("Help")->enabled);  // no help pages installed
  EXPECT_FALSE(menu.find("Switch To")->enabled);
  EXPECT_FALSE(menu.find("Delete Symbol")->enabled);
}

TEST_F(MainWindowTest, ATipLongerThanTheTrayKeepsIsCutToSixtyThreeCharacters) {
  create();
  const std::string name(100, 'n');
  EXPECT_TRUE(TrayIcon().show(IDI_ACTION_EXECUTED, name + " executed"));
  EXPECT_EQ(TrayIcon().tip(), name.substr(0, 63));
}

// "New Symbol" and the "Edit Symbol" list open the symbol editor on the
// profile's folder, with gestures refused while it is open; what it saves is
// listed for editing at once.
TEST_F(MainWindowTest, TheSymbolCommandsOpenTheEditorAndListWhatItSaved) {
  using namespace symbol_editor_driving;
  InstallSettingsEffects();
  create();
  ZMainCommands& commands = window_.commands();
  EXPECT_FALSE(commands.enabled(IDM_EDIT_SYMBOL));

  int modalWhileOpen = 0;
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    modalWhileOpen = ModalDialogCount();
    editor.drawClosed({Point{4, 4}, Point{12, 20}, Point{24, 4}});
    WaitFor([&] { return editor.nextEnabled(); }, 2000);
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    editor.press(IDC_SYMBOL_NEXT);
    AnswerName("Vee");
  });
  EXPECT_TRUE(commands.run(IDM_NEW_SYMBOL, 0));
  user.join();
  EXPECT_GT(modalWhileOpen, 0);
  EXPECT_EQ(ModalDialogCount(), 0);

  const auto listed = commands.listFor(IDM_EDIT_SYMBOL);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].text, "Vee");
  EXPECT_EQ(lstrcmpiA(listed[0].value.c_str(), (Folders().profileSymbols + "002.zts").c_str()), 0)
      << listed[0].value;

  // Chosen from the list, the symbol opens closed under its name.
  bool opened = false, nextAtOnce = false;
  std::thread editorUser([&] {
    Editor editor = WaitForEditor("Symbol Editor - Vee: Step 1 of 2");
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    opened = true;
    nextAtOnce = editor.nextEnabled();
    editor.press(IDCANCEL);
  });
  commands.runListed(listed[0].command, listed[0].value);
  editorUser.join();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(nextAtOnce);
}

namespace {
// Runs a function on the thread that made this object while that thread
// waits in a modal loop (of a dialog it shows), for a test's driving thread.
class ZThreadCalls {
 public:
  ZThreadCalls() : thread_(GetCurrentThreadId()) {
    instance_ = this;
    hook_ = SetWindowsHookExA(WH_GETMESSAGE, &Hook, nullptr, thread_);
  }
  ~ZThreadCalls() {
    UnhookWindowsHookEx(hook_);
    instance_ = nullptr;
  }
  ZThreadCalls(const ZThreadCalls&) = delete;
  ZThreadCalls& operator=(const ZThreadCalls&) = delete;

  // False when the call was not made within five seconds.
  bool call(std::function<void()> function) {
    pending_ = std::move(function);
    done_ = false;
    PostThreadMessageA(thread_, Message(), 0, 0);
    return WaitFor([this] { return done_.load(); });
  }

 private:
  static UINT Message() {
    static const UINT message = RegisterWindowMessageA("ZavotraTestThreadCall");
    return message;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && !msg->hwnd && msg->message == Message() && instance_) {
      msg->message = WM_NULL;
      instance_->pending_();
      instance_->done_ = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline ZThreadCalls* instance_ = nullptr;
  DWORD thread_;
  HHOOK hook_ = nullptr;
  std::function<void()> pending_;
  std::atomic<bool> done_{false};
};

void Press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
}  // namespace

TEST_F(MainWindowTest, ANewCommonActionFinishedInTheWizardIsSavedWithThePlugin) {
  create();
  ZThreadCalls calls;
  std::atomic<bool> driven{false};
  std::thread user([&] {
    HWND wizard = WaitForDialog("Action edition wizard", IDC_ACTION_TREE);
    if (!wizard) return;
    SetItemText(ShownPage(wizard), IDC_ACTION_NAME, "Signature");
    // The symbol comes from the library or the editor; here straight in.
    calls.call([wizard] {
      auto* base = reinterpret_cast<Wizard*>(GetWindowLongPtrA(wizard, DWLP_USER));
      if (auto* actions = dynamic_cast<ActionWizard*>(base)) actions->setSymbol(SquareSymbol(42));
    });
    Press(wizard, IDC_WIZARD_NEXT);
    Press(wizard, IDC_WIZARD_NEXT);
    HWND page = ShownPage(wizard);
    CheckDlgButton(page, IDC_ACTION_CHOOSE_TEXT, BST_CHECKED);
    Press(page, IDC_ACTION_CHOOSE_TEXT);
    Press(wizard, IDC_WIZARD_NEXT);
    SetItemText(ShownPage(wizard), IDC_ACTION_TEXT, "Best wishes");
    driven = ItemEnabled(wizard, IDC_WIZARD_FINISH);
    Press(wizard, IDC_WIZARD_FINISH);
  });
  EXPECT_TRUE(window_.commands().run(IDM_COMMON_NEW_ACTION, 0));
  user.join();
  ASSERT_TRUE(driven);
  const Names expected{"Copy", "Paste", "Undo", "Signature"};
  EXPECT_EQ(itemNames(ZPluginManager::kCommon), expected);

  // What a reload of the file finds.
  const auto reloaded = LoadPlugin(Folders().profilePlugins + "common.ztc");
  ASSERT_EQ(reloaded->actions().size(), 4u);
  const ZAction& made = *reloaded->actions().back();
  EXPECT_EQ(made.name(), "Signature");
  ASSERT_NE(made.symbol(), nullptr);
  EXPECT_EQ(made.symbol()->identifier(), 42u);
  const auto* macro = dynamic_cast<const ZMacro*>(&made);
  ASSERT_NE(macro, nullptr);
  ASSERT_EQ(macro->size(), 1u);
  const auto* text = dynamic_cast<const ZCommandText*>(macro->front());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(), "Best wishes");
}
