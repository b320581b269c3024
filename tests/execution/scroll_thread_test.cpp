#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "actions/command_system.h"
#include "actions/scroll_thread.h"
#include "actions/system_functions.h"
#include "desktop_fixture.h"

namespace {

// Scroll codes the windows received, in order, and the scroll bar each
// vertical one named (null for the window's own bar).
std::vector<int> g_vertical;
std::vector<int> g_horizontal;
std::vector<HWND> g_verticalBars;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VSCROLL) {
    g_vertical.push_back(LOWORD(wParam));
    g_verticalBars.push_back(reinterpret_cast<HWND>(lParam));
  }
  if (message == WM_HSCROLL) g_horizontal.push_back(LOWORD(wParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

int Count(const std::vector<int>& codes, int code) {
  int count = 0;
  for (int c : codes) count += c == code;
  return count;
}

void MouseButton(DWORD flag) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof input);
}

class ScrollThread : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZavotraScrollTarget";
    RegisterClassW(&windowClass);
    ASSERT_TRUE(StartScrollThread());
  }
  static void TearDownTestSuite() { StopScrollThread(); }

  void SetUp() override {
    g_vertical.clear();
    g_horizontal.clear();
    g_verticalBars.clear();
  }
  void TearDown() override {
    RequestScrollStop();
    PumpFor(200);
    if (window_) DestroyWindow(window_);
  }

  void showTarget(DWORD style) {
    window_ = CreateWindowExW(0, L"ZavotraScrollTarget", L"Scroll", WS_OVERLAPPEDWINDOW | WS_VISIBLE | style,
                              100, 100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window_);
    SetForegroundWindow(window_);
    SetFocus(window_);
    PumpFor(200);
    ASSERT_EQ(window_, GetForegroundWindow());
  }

  HWND window_ = nullptr;
};

TEST_F(ScrollThread, AutoDownRepeatsUntilAMouseButtonIsPressed) {
  showTarget(WS_VSCROLL);
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kVerticalScroll, kScrollAutoForward));
  EXPECT_TRUE(IsAutoScrolling());
  PumpFor(600);
  ASSERT_GE(Count(g_vertical, SB_LINEDOWN), 3);
  // Every step ends with the end-of-scroll notification.
  for (size_t i = 0; i + 1 < g_vertical.size(); i += 2) {
    EXPECT_EQ(SB_LINEDOWN, g_vertical[i]) << i;
    EXPECT_EQ(SB_ENDSCROLL, g_vertical[i + 1]) << i;
  }
  EXPECT_TRUE(g_horizontal.empty());

  POINT inside = {150, 150};
  SetCursorPos(inside.x, inside.y);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpFor(300);
  MouseButton(MOUSEEVENTF_LEFTUP);
  PumpFor(200);
  EXPECT_FALSE(IsAutoScrolling());
  const size_t afterStop = g_vertical.size();
  ASSERT_GT(afterStop, 0u);
  EXPECT_EQ(SB_ENDSCROLL, g_vertical.back());
  PumpFor(400);
  EXPECT_EQ(afterStop, g_vertical.size());
}

TEST_F(ScrollThread, StopScrollingEndsTheScrollCodes) {
  showTarget(WS_VSCROLL);
  RequestScroll(ScrollDirection::Vertical, kScrollAutoForward);
  PumpFor(300);
  RequestScroll(ScrollDirection::Vertical, kScrollStop);
  PumpFor(200);
  const int linesAtStop = Count(g_vertical, SB_LINEDOWN);
  PumpFor(400);
  EXPECT_EQ(linesAtStop, Count(g_vertical, SB_LINEDOWN));
  EXPECT_GT(Count(g_vertical, SB_ENDSCROLL), linesAtStop);
}

TEST_F(ScrollThread, OneLineDownGoesToTheBottomOnce) {
  showTarget(WS_VSCROLL | WS_HSCROLL);
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kVerticalScroll, kScrollToEnd));
  PumpFor(400);
  EXPECT_EQ((std::vector<int>{SB_BOTTOM, SB_ENDSCROLL}), g_vertical);
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kHorizontalScroll, kScrollPageForward));
  PumpFor(400);
  EXPECT_EQ((std::vector<int>{SB_PAGERIGHT, SB_ENDSCROLL}), g_horizontal);
}

// A request that found no target is dropped, not left raised: a raised one
// would keep the thread spinning, and would scroll the next window located
// for another request, in a direction nobody asked for.
TEST_F(ScrollThread, WindowWithoutScrollBarsReceivesNothing) {
  showTarget(0);
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kVerticalScroll, kScrollAutoForward));
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kHorizontalScroll, kScrollLineBack));
  PumpFor(500);
  EXPECT_TRUE(g_vertical.empty());
  EXPECT_TRUE(g_horizontal.empty());

  HWND first = window_;
  showTarget(WS_VSCROLL | WS_HSCROLL);
  DestroyWindow(first);
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kHorizontalScroll, kScrollPageForward));
  PumpFor(400);
  EXPECT_TRUE(g_vertical.empty());
  EXPECT_EQ((std::vector<int>{SB_PAGERIGHT, SB_ENDSCROLL}), g_horizontal);
}

TEST_F(ScrollThread, ScrollBarControlOfTheFocusWindowIsTheTarget) {
  showTarget(0);
  HWND bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 16, 100, window_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, bar);
  SetFocus(window_);
  EXPECT_TRUE(ExecuteSystemFunction(ZCommandSystem::kVerticalScroll, kScrollPageBack));
  PumpFor(400);
  EXPECT_EQ((std::vector<int>{SB_PAGEUP, SB_ENDSCROLL}), g_vertical);
  EXPECT_EQ((std::vector<HWND>{bar, bar}), g_verticalBars);  // the control, not the window's own bar
}

}  // namespace
