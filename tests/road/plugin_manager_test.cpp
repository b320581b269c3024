// The plug-in manager with real plug-in files and real windows under Wine:
// the choice of the application plug-in, detection, hotkeys and candidates.
#include "plugins/plugin_manager.h"

#include <gtest/gtest.h>

#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "common/settings.h"
#include "tests/road/road_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(HotkeyModifiers, TranslateBitByBitAndPassLargeValues) {
  const struct { uint32_t flags; UINT expected; } cases[] = {
      {0, 0}, {1, 4}, {2, 2}, {4, 1}, {8, 8}, {3, 6}, {5, 5}, {6, 3}, {9, 12}, {11, 14}, {12, 9}, {14, 11},
      {15, 15}, {16, 16}, {200, 200}};
  for (const auto& c : cases) EXPECT_EQ(TranslateHotkeyModifiers(c.flags), c.expected) << c.flags;
}

std::string Chosen(const ZPluginManager& manager, HWND window, const char* className) {
  std::unique_ptr<ZPlugin> plugin = manager.findPluginForWindow(window, className);
  return plugin ? plugin->name() : std::string("(none)");
}

TEST(FindPluginForWindow, EveryRule) {
  TempFolder folder;
  WritePlugin(folder.path(), {"a.zta", "Unique class", "UniqueClass", "Anything"});
  WritePlugin(folder.path(), {"b.zta", "Shared first", "SharedClass", "First"});
  WritePlugin(folder.path(), {"c.zta", "Shared second", "SharedClass", "Second"});
  WritePlugin(folder.path(), {"d.zta", "Dialog one", "#32770", "One"});
  WritePlugin(folder.path(), {"e.zta", "Dialog two", "#32770", "Two"});
  WritePlugin(folder.path(), {"f.zta", "By caption", "Elsewhere", "Exact Title"});
  WritePlugin(folder.path(), {"g.zta", "Prefix", "PrefA", "Editor"});
  WritePlugin(folder.path(), {"h.zta", "Empty caption", "EmptyKey", ""});
  ZPluginManager manager;
  manager.reloadCatalogue(folder.path());
  ASSERT_EQ(manager.catalogue().size(), 8u);

  const struct { const char* className; const char* caption; const char* expected; } cases[] = {
      {"uniqueclass", "whatever it says", "Unique class"},    // one Key match, any caption, any case
      {"SharedClass", "SECOND", "Shared second"},             // caption singles one out, without case
      {"SharedClass", "Neither", "Shared first"},             // no caption match: first in order
      {"#32770", "two", "Dialog two"},                        // dialogs still choose by caption
      {"#32770", "Three", "(none)"},                          // but never guess
      {"NoSuchClass", "exact title", "By caption"},           // no Key: unique caption
      {"prefb", "My Editor - file", "Prefix"},                // four characters, caption contained
      {"PrefB", "My editor - file", "(none)"},                // caption search is case-sensitive
      {"Pre", "An Editor", "(none)"},                         // fewer characters do not agree
      {"EMPTyOther", "any caption at all", "Empty caption"},  // empty caption matches any window
  };
  for (const auto& c : cases) {
    TestWindow window("RoadProbeWindow", c.caption);
    EXPECT_EQ(Chosen(manager, window.get(), c.className), c.expected) << c.className << " / " << c.caption;
  }
}

TEST(ReloadCatalogue, SkipsUnreadableFilesAndOtherExtensions) {
  TempFolder folder;
  WritePlugin(folder.path(), {"good.zta", "Good", "K", "C"});
  WritePlugin(folder.path(), {"other.ztc", "Not an entry", "K", "C"});
  HANDLE broken = CreateFileA(folder.file("broken.zta").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(broken, "garbage", 7, &written, nullptr);
  CloseHandle(broken);
  ZPluginManager manager;
  manager.reloadCatalogue(folder.path());
  ASSERT_EQ(manager.catalogue().size(), 1u);
  EXPECT_EQ(manager.catalogue()[0]->name(), "Good");
  EXPECT_TRUE(manager.catalogue()[0]->actions().empty());  // header only

  EXPECT_TRUE(manager.deletePlugin(folder.file("good.zta")));
  EXPECT_TRUE(manager.catalogue().empty());
}

// A main window that collects WM_HOTKEY registrations through the manager.
class ManagerWithWindow : public ::testing::Test {
 protected:
  ManagerWithWindow() : main_("ZavotraRoadMain", "Zavotra", 0, 0, 50) { SetMainWindow(main_.get()); }
  ~ManagerWithWindow() override {
    manager_.setApplicationPlugin(nullptr);
    manager_.reregisterHotkeys();
    SetMainWindow(nullptr);
  }

  TempFolder folder_;
  TestWindow main_;
  ZPluginManager manager_;
};

TEST_F(ManagerWithWindow, DetectionChoosesOncePerWindowAndSetsTheLabel) {
  Settings().applicationDetection = true;
  WritePlugin(folder_.path(), {"app.zta", "Target app", "RoadTargetClass", "Target"}, Macro("App action", 7));
  manager_.reloadCatalogue(folder_.path());
  TestWindow target("RoadTargetClass", "Target", 400, 400, 200);
  TestWindow other("RoadOtherClass", "Other", 700, 400, 100);
  const POINT overTarget{500, 500};
  const POINT overOther{750, 450};

  manager_.detectApplicationAt(overTarget, true, false);  // a gesture holds points already
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), nullptr);
  manager_.detectApplicationAt(overTarget, false, true);  // the main window is being dragged
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), nullptr);

  manager_.detectApplicationAt(overTarget, false, false);
  ZPlugin* first = manager_.plugin(ZPluginManager::kApplication);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(manager_.lastDetectedWindow(), target.get());
  EXPECT_EQ(manager_.label(ZPluginManager::kApplication), "Specific actions for Target app");
  manager_.detectApplicationAt(overTarget, false, false);
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), first);  // same window: no second load

  // A gesture begun over an open menu or the bare desktop keeps the choice.
  HWND menu = CreateWindowExA(WS_EX_TOPMOST, "#32768", "", WS_POPUP | WS_VISIBLE, 100, 600, 80, 80, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(menu, nullptr);
  const POINT overMenu{120, 620};
  ASSERT_EQ(WindowFromPoint(overMenu), menu);
  manager_.detectApplicationAt(overMenu, false, false);
  DestroyWindow(menu);
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), first);
  const POINT overDesktop{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2};
  char className[16] = {};
  GetClassNameA(WindowFromPoint(overDesktop), className, sizeof className);
  ASSERT_STREQ(className, "#32769");
  manager_.detectApplicationAt(overDesktop, false, false);
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), first);
  EXPECT_EQ(manager_.lastDetectedWindow(), target.get());

  manager_.detectApplicationAt(overOther, false, false);
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), nullptr);
  EXPECT_EQ(manager_.label(ZPluginManager::kApplication),
            "No specific actions available for this application");

  Settings().applicationDetection = false;
  manager_.detectApplicationAt(overTarget, false, false);
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), nullptr);
  Settings().applicationDetection = true;
}

TEST_F(ManagerWithWindow, HotkeysRegisterInSlotOrderAndPreferTheApplication) {
  const uint16_t ctrlShiftF9 = (3 << 8) | VK_F9;
  const uint16_t altF10 = (4 << 8) | VK_F10;
  WritePlugin(folder_.path(), {"services.ztc", "Services", "", ""}, Macro("Service key", 1, (1 << 8) | VK_F11));
  WritePlugin(folder_.path(), {"common.ztc", "Common", "", ""}, Macro("Common F9", 2, ctrlShiftF9),
              Macro("Common F10", 3, altF10));
  const std::string app = WritePlugin(folder_.path(), {"app.zta", "App", "X", "Y"}, Macro("App F9", 4, ctrlShiftF9));
  manager_.reloadFixedPlugins(folder_.path());
  EXPECT_EQ(manager_.registeredHotkeyCount(), 3);
  // The identifiers are taken: the same combination again is refused.
  EXPECT_FALSE(RegisterHotKey(main_.get(), 100, MOD_CONTROL | MOD_SHIFT, VK_F9));

  EXPECT_EQ(manager_.hotkeyPressed(VK_F9, MOD_CONTROL | MOD_SHIFT)->name(), "Common F9");
  ASSERT_TRUE(manager_.switchToPlugin(app));
  EXPECT_EQ(manager_.registeredHotkeyCount(), 4);
  EXPECT_EQ(manager_.hotkeyPressed(VK_F9, MOD_CONTROL | MOD_SHIFT)->name(), "App F9");
  EXPECT_EQ(manager_.hotkeyPressed(VK_F10, MOD_ALT)->name(), "Common F10");  // still reachable
  EXPECT_EQ(manager_.hotkeyPressed(VK_F11, MOD_SHIFT), nullptr);  // services: reserved only
  EXPECT_EQ(manager_.hotkeyPressed(VK_F10, MOD_CONTROL), nullptr);

  std::vector<std::string> names;
  for (ZAction* action : manager_.candidates()) names.push_back(action->name());
  EXPECT_EQ(names, (std::vector<std::string>{"App F9", "Service key", "Common F9", "Common F10"}));

  manager_.reloadFixedPlugins(folder_.path());
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), nullptr);
  EXPECT_EQ(manager_.registeredHotkeyCount(), 3);
  EXPECT_EQ(manager_.label(ZPluginManager::kCommon), "Common actions");
  EXPECT_EQ(manager_.label(ZPluginManager::kServices), "Internet Services");
}

TEST_F(ManagerWithWindow, UnreadableFilesLeaveSlotsAsTheyWere) {
  WritePlugin(folder_.path(), {"common.ztc", "Common", "", ""}, Macro("Common", 2));
  const std::string app = WritePlugin(folder_.path(), {"app.zta", "App", "X", "Y"}, Macro("App", 4));
  manager_.reloadFixedPlugins(folder_.path());  // no services.ztc
  EXPECT_EQ(manager_.plugin(ZPluginManager::kServices), nullptr);
  ASSERT_NE(manager_.plugin(ZPluginManager::kCommon), nullptr);
  ASSERT_TRUE(manager_.switchToPlugin(app));
  ZPlugin* chosen = manager_.plugin(ZPluginManager::kApplication);
  EXPECT_FALSE(manager_.switchToPlugin(folder_.file("missing.zta")));
  EXPECT_EQ(manager_.plugin(ZPluginManager::kApplication), chosen);
  EXPECT_EQ(manager_.label(ZPluginManager::kApplication), "Specific actions for App");
}

TEST(Hotkeys, NothingRegisteredWithoutAMainWindow) {
  TempFolder folder;
  WritePlugin(folder.path(), {"common.ztc", "Common", "", ""}, Macro("Common", 2, (2 << 8) | VK_F7));
  SetMainWindow(nullptr);
  ZPluginManager manager;
  manager.reloadFixedPlugins(folder.path());
  EXPECT_EQ(manager.registeredHotkeyCount(), 0);
}

}  // namespace

namespace {
TEST_F(ManagerWithWindow, AnInjectedHotkeyArrivesAsWmHotkey) {
  WritePlugin(folder_.path(), {"common.ztc", "Common", "", ""}, Macro("Common F9", 2, (3 << 8) | VK_F9));
  manager_.reloadFixedPlugins(folder_.path());
  ASSERT_EQ(manager_.registeredHotkeyCount(), 1);
  for (WORD key : {WORD(VK_CONTROL), WORD(VK_SHIFT), WORD(VK_F9)}) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    SendInput(1, &input, sizeof input);
  }
  for (WORD key : {WORD(VK_F9), WORD(VK_SHIFT), WORD(VK_CONTROL)}) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
  MSG msg = {};
  bool arrived = false;
  for (int i = 0; i < 100 && !arrived; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY) {
        arrived = true;
        EXPECT_EQ(ZPluginManager::FindActionByHotkey(manager_.plugin(ZPluginManager::kCommon), HIWORD(msg.lParam),
                                                     LOWORD(msg.lParam))->name(), "Common F9");
      }
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
  EXPECT_TRUE(arrived);
}
}  // namespace
