// The main window's handling of a gesture, with posted-equivalent calls on a
// real window under Wine: recognition over the active plug-ins, counters,
// the status shown, the modal counter, the trail left behind on the screen.
#include "shell/capture_messages.h"

#include <gtest/gtest.h>

#include <vector>

#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "common/settings.h"
#include "common/tray_icon.h"
#include "shell/scoped_handle.h"
#include "shell/usage_counters.h"
#include "tests/road/road_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A command that sets an event each time it runs: the action holding it was
// started.
class RunSignal : public ZCommand {
 public:
  explicit RunSignal(HANDLE event) : event_(event) {}
  bool equals(const ZCommand& other) const override { return &other == this; }
  int typeId() const override { return kCommandMenu; }
  std::unique_ptr<ZCommand> clone() const override { return std::make_unique<RunSignal>(*this); }
  bool execute() override { return SetEvent(event_) != FALSE; }

 protected:
  void saveFields(IStorage*) const override {}

 private:
  HANDLE event_;
};

class CaptureMessagesTest : public ::testing::Test {
 protected:
  CaptureMessagesTest()
      : main_("ZavotraRoadMain2", "Zavotra", 0, 0, 40), target_("RoadGestureTarget", "Target", 150, 150, 400),
        handler_(manager_, nullptr) {
    SetMainWindow(main_.get());
    Settings().playSounds = false;
    Settings().autoHide = false;
    Settings().recognitionTolerance = 30;
    PluginCounters().clear();
    SymbolCounters().clear();
    WritePlugin(folder_.path(), {"common.ztc", "Common", "", ""}, Macro("Common L", 77));
    appPath_ = WritePlugin(folder_.path(), {"app.zta", "App", "RoadGestureTarget", "Target", 555}, Macro("App L", 88));
    manager_.reloadFixedPlugins(folder_.path());
  }
  ~CaptureMessagesTest() override {
    KillTimer(main_.get(), ID_FEEDBACK_TIMER);
    SetMainWindow(nullptr);
    while (ModalDialogCount() > 0) LeaveModalDialog();
  }

  void send(UINT message, LPARAM lParam = 0, WPARAM wParam = 0) { handler_.handle(message, wParam, lParam); }

  // Down then right, the way the L symbol goes, over the target window.
  void drawL(int x = 200, int y = 200) {
    send(WM_HOOK_STROKE_BEGIN, At(x, y));
    for (int d = 10; d <= 200; d += 10) send(WM_HOOK_STROKE_POINT, At(x, y + d));
    for (int d = 10; d <= 200; d += 10) send(WM_HOOK_STROKE_POINT, At(x + d, y + 200));
  }
  void drawZ() {
    send(WM_HOOK_STROKE_BEGIN, At(200, 200));
    for (int d = 10; d <= 200; d += 10) send(WM_HOOK_STROKE_POINT, At(200 + d, 200));
    for (int d = 10; d <= 200; d += 10) send(WM_HOOK_STROKE_POINT, At(400 - d, 200 + d));
    for (int d = 10; d <= 200; d += 10) send(WM_HOOK_STROKE_POINT, At(200 + d, 400));
  }

  TempFolder folder_;
  std::string appPath_;
  TestWindow main_;
  TestWindow target_;
  ZPluginManager manager_;
  ZCaptureMessages handler_;
};

TEST_F(CaptureMessagesTest, CommonActionRunsAndIsCountedWithoutAnApplicationPlugin) {
  ZMacro& common = dynamic_cast<ZMacro&>(*manager_.plugin(ZPluginManager::kCommon)->actions().front());
  const ZFileHandle started(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  common.append(std::make_unique<RunSignal>(started.get()));
  drawL();
  send(WM_HOOK_GESTURE_END);
  // The action runs on a worker of its own, over a clone that signals too.
  EXPECT_EQ(WaitForSingleObject(started.get(), 10000), WAIT_OBJECT_0);
  ASSERT_NE(handler_.lastWinner(), nullptr);
  EXPECT_EQ(handler_.lastWinner()->name(), "Common L");
  EXPECT_TRUE(handler_.trail().isEmpty());
  EXPECT_EQ(TrayIcon().iconId(), IDI_ACTION_EXECUTED);
  EXPECT_EQ(TrayIcon().tip(), "Common L executed");
  EXPECT_TRUE(PluginCounters().entries().empty());
  EXPECT_EQ(SymbolCounters().entries().at(77).total, 1u);
}

TEST_F(CaptureMessagesTest, ApplicationActionWinsATieAndCountsItsPlugin) {
  Settings().applicationDetection = true;
  manager_.reloadCatalogue(folder_.path());
  send(WM_HOOK_ARM, At(200, 200));
  ASSERT_NE(manager_.plugin(ZPluginManager::kApplication), nullptr);
  drawL();
  send(WM_HOOK_ARM, At(300, 300));  // a gesture in progress never detects again
  send(WM_HOOK_GESTURE_END);
  ASSERT_NE(handler_.lastWinner(), nullptr);
  EXPECT_EQ(handler_.lastWinner()->name(), "App L");
  EXPECT_EQ(PluginCounters().entries().at(555).total, 1u);
  EXPECT_EQ(SymbolCounters().entries().at(88).total, 1u);
  EXPECT_EQ(SymbolCounters().entries().count(77), 0u);
}

TEST_F(CaptureMessagesTest, NothingMatchedCountsUnderKeyZero) {
  drawZ();
  send(WM_HOOK_GESTURE_END);
  EXPECT_EQ(handler_.lastWinner(), nullptr);
  EXPECT_EQ(TrayIcon().iconId(), IDI_SYMBOL_NOT_RECOGNIZED);
  EXPECT_EQ(TrayIcon().tip(), "Symbol not recognized");
  // An end without any stroke is no match either, and needs no recognizer.
  send(WM_HOOK_GESTURE_END);
  EXPECT_EQ(SymbolCounters().entries().at(0).total, 2u);
  handler_.endFeedbackPeriod();
  EXPECT_EQ(TrayIcon().iconId(), IDI_CAPTURE_ENABLED);
  EXPECT_EQ(TrayIcon().tip(), "Zavotra - Use CTRL key to disable");
}

TEST_F(CaptureMessagesTest, TwoStrokesNeverMatchAOneStrokeSymbol) {
  drawL();
  drawL(250, 250);
  send(WM_HOOK_GESTURE_END);
  EXPECT_EQ(handler_.lastWinner(), nullptr);
}

TEST_F(CaptureMessagesTest, EverythingIgnoredWhileAModalDialogIsOpen) {
  TrayIcon().show(IDI_CAPTURE_ENABLED, "before");
  {
    ZModalDialogScope modal;
    drawL();
    EXPECT_TRUE(handler_.trail().isEmpty());
    send(WM_HOOK_GESTURE_END);
  }
  EXPECT_EQ(TrayIcon().tip(), "before");
  EXPECT_TRUE(SymbolCounters().entries().empty());
  drawL();
  EXPECT_FALSE(handler_.trail().isEmpty());
  send(WM_HOOK_GESTURE_END);
  EXPECT_EQ(TrayIcon().tip(), "Common L executed");
}

TEST_F(CaptureMessagesTest, AutoHideHidesTheMainWindowForAStrokeElsewhere) {
  Settings().autoHide = true;
  ASSERT_TRUE(IsWindowVisible(main_.get()));
  send(WM_HOOK_STROKE_BEGIN, At(20, 20));  // over the main window itself
  EXPECT_TRUE(IsWindowVisible(main_.get()));
  send(WM_HOOK_GESTURE_END);
  send(WM_HOOK_STROKE_BEGIN, At(300, 300));
  EXPECT_FALSE(IsWindowVisible(main_.get()));
  send(WM_HOOK_GESTURE_END);
}

std::vector<COLORREF> ScreenPixels(const RECT& r) {
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = r.top; y < r.bottom; y += 3)
    for (int x = r.left; x < r.right; x += 3) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return pixels;
}

TEST_F(CaptureMessagesTest, CancelledGestureIsErasedAndNothingRunsOrCounts) {
  const RECT area{190, 190, 420, 420};
  TestWindow::Pump();
  const std::vector<COLORREF> before = ScreenPixels(area);
  TrayIcon().show(IDI_CAPTURE_ENABLED, "before");
  drawL();  // an L the common action would match
  send(WM_HOOK_GESTURE_CANCEL, At(400, 400));
  EXPECT_TRUE(handler_.trail().isEmpty());
  EXPECT_EQ(handler_.lastWinner(), nullptr);
  EXPECT_EQ(ScreenPixels(area), before);
  EXPECT_EQ(TrayIcon().tip(), "before");
  EXPECT_TRUE(SymbolCounters().entries().empty());
  EXPECT_TRUE(PluginCounters().entries().empty());
  // The next gesture starts from nothing.
  drawL();
  send(WM_HOOK_GESTURE_END);
  EXPECT_EQ(TrayIcon().tip(), "Common L executed");
}

TEST_F(CaptureMessagesTest, TrailDrawnBeforeAModalDialogOpenedLeavesTheScreenWithTheGesture) {
  const RECT area{190, 190, 420, 420};
  TestWindow::Pump();
  const std::vector<COLORREF> before = ScreenPixels(area);
  TrayIcon().show(IDI_CAPTURE_ENABLED, "before");
  struct Case {
    const char* name;
    UINT end;
  };
  for (const Case& c : {Case{"end", WM_HOOK_GESTURE_END}, Case{"cancel", WM_HOOK_GESTURE_CANCEL}}) {
    SCOPED_TRACE(c.name);
    drawL();
    ZModalDialogScope modal;
    send(c.end);
    EXPECT_TRUE(handler_.trail().isEmpty());
    EXPECT_EQ(ScreenPixels(area), before);
  }
  EXPECT_EQ(TrayIcon().tip(), "before");  // nothing recognised
  EXPECT_TRUE(SymbolCounters().entries().empty());
}

TEST_F(CaptureMessagesTest, TheScreenIsAsBeforeOnceTheGestureEnds) {
  const RECT area{190, 190, 420, 420};
  TestWindow::Pump();
  const std::vector<COLORREF> before = ScreenPixels(area);
  drawL();
  EXPECT_NE(ScreenPixels(area), before);  // the trail shows while drawing
  send(WM_HOOK_GESTURE_END);
  EXPECT_EQ(ScreenPixels(area), before);
}

}  // namespace

TEST_F(CaptureMessagesTest, APressWhereCaptureIsOffSaysWhyUntilThePointerLeavesThatWindow) {
  struct Case {
    WPARAM reason;
    const char* text;
  };
  const Case cases[] = {{HOOK_CAPTURE_OFF_LISTED, "Zavotra - capture is off for this application"},
                        {HOOK_CAPTURE_OFF_FULL_SCREEN, "Zavotra - paused while a full-screen program is in front"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SetCursorPos(300, 300);  // over the target
    send(WM_HOOK_CAPTURE_OFF, At(300, 300), c.reason);
    EXPECT_EQ(handler_.captureOffWindow(), target_.get());
    EXPECT_EQ(TrayIcon().iconId(), IDI_CAPTURE_DISABLED);
    EXPECT_EQ(TrayIcon().tip(), c.text);
    handler_.watchCaptureOff();  // still there: still says so
    EXPECT_EQ(TrayIcon().tip(), c.text);
    SetCursorPos(20, 20);  // over another window
    handler_.watchCaptureOff();
    EXPECT_EQ(handler_.captureOffWindow(), nullptr);
    EXPECT_EQ(TrayIcon().tip(), "Zavotra - Use CTRL key to disable");
  }
  // A press captured elsewhere ends it as well; the status is the gesture's then.
  SetCursorPos(300, 300);
  send(WM_HOOK_CAPTURE_OFF, At(300, 300), HOOK_CAPTURE_OFF_LISTED);
  send(WM_HOOK_ARM, At(20, 20));
  EXPECT_EQ(handler_.captureOffWindow(), nullptr);
  // While a modal dialog is open nothing is said.
  handler_.endFeedbackPeriod();
  {
    ZModalDialogScope modal;
    send(WM_HOOK_CAPTURE_OFF, At(300, 300), HOOK_CAPTURE_OFF_LISTED);
  }
  EXPECT_EQ(TrayIcon().tip(), "Zavotra - Use CTRL key to disable");
}
