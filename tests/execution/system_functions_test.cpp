#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "actions/command_system.h"
#include "actions/scroll_thread.h"
#include "actions/system_functions.h"
#include "desktop_fixture.h"

namespace {

bool RunFunction(int function, int parameter = 0) {
  bool result = false;
  RunOnWorker([&] { result = ExecuteSystemFunction(function, parameter); });
  PumpFor(100);
  return result;
}

TEST(SystemFunctionTable, StoredNamesAreThoseOfTheCommand) {
  for (int function = 0; function < kSystemFunctionCount; ++function) {
    const ZSystemFunctionName* name = SystemFunctionName(function);
    ASSERT_NE(nullptr, name);
    EXPECT_STREQ(ZCommandSystem::storedFunctionName(function), name->storedName) << function;
  }
  EXPECT_EQ(nullptr, SystemFunctionName(-1));
  EXPECT_EQ(nullptr, SystemFunctionName(kSystemFunctionCount));
}

TEST(SystemFunctions, UnknownFunctionFails) {
  EXPECT_FALSE(ExecuteSystemFunction(-1, 0));
  EXPECT_FALSE(ExecuteSystemFunction(kSystemFunctionCount, 0));
}

TEST(SystemFunctions, PauseLastsItsParameterPlusOneSeconds) {
  for (int parameter : {0, 1}) {
    const DWORD start = GetTickCount();
    EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kPause, parameter));
    const DWORD elapsed = GetTickCount() - start;
    const DWORD expected = static_cast<DWORD>(parameter + 1) * 1000;
    EXPECT_GE(elapsed, expected - 20) << parameter;
    // Generous above, yet short of the next longer pause.
    EXPECT_LT(elapsed, expected + 900) << parameter;
  }
}

TEST(SystemFunctions, PauseSecondsStayWithinOneToNineForEveryParameter) {
  struct Case {
    int parameter;
    int seconds;
  } cases[] = {{0, 1}, {1, 2}, {8, 9}, {9, 9}, {1000, 9}, {INT32_MAX - 1, 9}, {INT32_MAX, 9},
               {-1, 1}, {-2, 1}, {INT32_MIN, 1}};
  for (const Case& c : cases) EXPECT_EQ(PauseSeconds(c.parameter), c.seconds) << c.parameter;
}

using WindowFunctions = DesktopFixture;

TEST_F(WindowFunctions, MaximizeMinimizeAndRestoreTheForegroundWindow) {
  ASSERT_EQ(frame_, GetForegroundWindow());
  EXPECT_TRUE(RunFunction(ZCommandSystem::kMaximize));
  EXPECT_TRUE(IsZoomed(frame_));
  // Maximising a maximised window restores it.
  EXPECT_TRUE(RunFunction(ZCommandSystem::kMaximize));
  EXPECT_FALSE(IsZoomed(frame_));
  EXPECT_FALSE(IsIconic(frame_));

  EXPECT_TRUE(RunFunction(ZCommandSystem::kMinimize));
  EXPECT_TRUE(IsIconic(frame_));
  SetForegroundWindow(frame_);
  PumpFor(100);
  EXPECT_TRUE(RunFunction(ZCommandSystem::kRestore));
  EXPECT_FALSE(IsIconic(frame_));
}

// A popup menu in front: a window of the system's menu class, since a
// tracked menu does not become the foreground window everywhere.
TEST_F(WindowFunctions, MinimizeOverAPopupMenuDoesNothingAndSucceeds) {
  HWND menu = CreateWindowExW(WS_EX_TOPMOST, L"#32768", L"", WS_POPUP | WS_VISIBLE, 100, 100, 80, 60, frame_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, menu);
  SetForegroundWindow(menu);
  PumpFor(100);
  ASSERT_EQ(menu, GetForegroundWindow());
  EXPECT_TRUE(RunFunction(ZCommandSystem::kMinimize));
  EXPECT_TRUE(RunFunction(ZCommandSystem::kMaximize));
  EXPECT_FALSE(IsIconic(menu));
  EXPECT_FALSE(IsZoomed(menu));
  EXPECT_FALSE(IsIconic(frame_));
  DestroyWindow(menu);
}

// Hidden, or shown but behind the application in front: either way the
// main window comes to the front, and does not stay topmost.
TEST_F(WindowFunctions, ShowMainWindowBringsItToTheFront) {
  for (const bool shownBehind : {false, true}) {
    SCOPED_TRACE(shownBehind);
    ShowWindow(main_, shownBehind ? SW_SHOWNOACTIVATE : SW_HIDE);
    bringToFront();
    ASSERT_EQ(frame_, GetForegroundWindow());
    EXPECT_TRUE(RunFunction(ZCommandSystem::kShowMainWindow));
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(main_, GetForegroundWindow());
    EXPECT_EQ(0, GetWindowLongPtrW(main_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
}

}  // namespace

namespace {

std::string LoadText(int id) {
  char text[256] = {};
  LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text);
  return text;
}

TEST(SystemFunctionTable, DisplayNamesComeFromTheResources) {
  EXPECT_EQ("Maximize window", LoadText(SystemFunctionName(0)->displayNameId));
  EXPECT_EQ("Pause (seconds)", LoadText(SystemFunctionName(ZCommandSystem::kPause)->displayNameId));
  EXPECT_EQ("Show Desktop", LoadText(SystemFunctionName(ZCommandSystem::kMinimizeAll)->displayNameId));
  for (int function = 0; function < kSystemFunctionCount; ++function)
    EXPECT_FALSE(LoadText(SystemFunctionName(function)->displayNameId).empty()) << function;
  EXPECT_EQ("Auto Down", LoadText(ScrollKindNameId(kScrollAutoForward, true)));
  EXPECT_EQ("One line Down", LoadText(ScrollKindNameId(kScrollToEnd, true)));
  EXPECT_EQ("One line Right", LoadText(ScrollKindNameId(kScrollToEnd, false)));
  EXPECT_EQ("Stop Scrolling", LoadText(ScrollKindNameId(kScrollStop, false)));
  EXPECT_EQ(0, ScrollKindNameId(7, true));
}

}  // namespace
