#include "actions/system_functions.h"

#include <windows.h>

#include <cstring>

#include "actions/action_workers.h"
#include "actions/command_system.h"
#include "actions/keystrokes.h"
#include "actions/scroll_thread.h"
#include "actions/text_insertion.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {

constexpr ZSystemFunctionName kFunctions[kSystemFunctionCount] = {
    {"Maximize window", IDS_SYSTEM_MAXIMIZE},
    {"Minimize window", IDS_SYSTEM_MINIMIZE},
    {"Restore window", IDS_SYSTEM_RESTORE},
    {"Logoff Windows", IDS_SYSTEM_LOGOFF},
    {"Reboot system", IDS_SYSTEM_REBOOT},
    {"Shutdown system", IDS_SYSTEM_SHUTDOWN},
    {"Vertical scroll", IDS_SYSTEM_VERTICAL_SCROLL},
    {"Horizontal scroll", IDS_SYSTEM_HORIZONTAL_SCROLL},
    {"Pause", IDS_SYSTEM_PAUSE},
    {"Monitor power off", IDS_SYSTEM_MONITOR_OFF},
    {"Monitor power on", IDS_SYSTEM_MONITOR_ON},
    {"Launch screen saver", IDS_SYSTEM_SCREEN_SAVER},
    {"Windows start menu", IDS_SYSTEM_START_MENU},
    {"Next window", IDS_SYSTEM_NEXT_WINDOW},
    {"Previous window", IDS_SYSTEM_PREVIOUS_WINDOW},
    {"Left click", IDS_SYSTEM_LEFT_CLICK},
    {"Right click", IDS_SYSTEM_RIGHT_CLICK},
    {"Middle click", IDS_SYSTEM_MIDDLE_CLICK},
    {"Insert date text", IDS_SYSTEM_INSERT_DATE},
    {"Insert time text", IDS_SYSTEM_INSERT_TIME},
    {"Show Zavotra window", IDS_SYSTEM_SHOW_WINDOW},
    {"Minimize all windows", IDS_SYSTEM_SHOW_DESKTOP},
};

constexpr int kVerticalScrollNames[kScrollKindCount] = {
    IDS_SCROLL_AUTO_UP,       IDS_SCROLL_AUTO_DOWN, IDS_SCROLL_PAGE_UP, IDS_SCROLL_PAGE_DOWN,
    IDS_SCROLL_LINE_UP,       IDS_SCROLL_LINE_DOWN, IDS_SCROLL_STOP,
};
constexpr int kHorizontalScrollNames[kScrollKindCount] = {
    IDS_SCROLL_AUTO_LEFT,     IDS_SCROLL_AUTO_RIGHT, IDS_SCROLL_PAGE_LEFT, IDS_SCROLL_PAGE_RIGHT,
    IDS_SCROLL_LINE_LEFT,     IDS_SCROLL_LINE_RIGHT, IDS_SCROLL_STOP,
};

// Monitor power states of SC_MONITORPOWER.
constexpr LPARAM kMonitorPowerOn = -1;
constexpr LPARAM kMonitorPowerOff = 2;

bool IsMenuWindow(HWND window) {
  char className[16] = {};
  return window && GetClassNameA(window, className, sizeof className) > 0 &&
         std::strcmp(className, "#32768") == 0;
}

bool Show(HWND window, int command) { return ShowWindow(window, command) != FALSE; }

bool Maximize() {
  HWND window = GetForegroundWindow();
  if (window && IsZoomed(window)) return Show(window, SW_RESTORE);
  if (IsMenuWindow(window)) return true;
  return Show(window, SW_SHOWMAXIMIZED);
}

bool Minimize() {
  HWND window = GetForegroundWindow();
  if (IsMenuWindow(window)) return true;
  return Show(window, SW_MINIMIZE);
}

bool Pause(int parameter) {
  return WaitUnlessStopped(static_cast<DWORD>(PauseSeconds(parameter)) * 1000);
}

bool SendToMainWindow(WPARAM command, LPARAM argument) {
  if (HWND main = MainWindow()) SendMessageA(main, WM_SYSCOMMAND, command, argument);
  return true;
}

void Tap(BYTE key) {
  PressKey(key);
  ReleaseKey(key);
}

bool NextWindow() {
  WaitForModifiers();
  PressKey(VK_SHIFT);
  PressKey(VK_MENU);
  Tap(VK_ESCAPE);
  ReleaseKey(VK_MENU);
  ReleaseKey(VK_SHIFT);
  return true;
}

bool PreviousWindow() {
  WaitForModifiers();
  PressKey(VK_MENU);
  Tap(VK_ESCAPE);
  ReleaseKey(VK_MENU);
  return true;
}

bool Click(DWORD down, DWORD up) {
  mouse_event(down, 0, 0, 0, static_cast<ULONG_PTR>(GetMessageExtraInfo()));
  mouse_event(up, 0, 0, 0, static_cast<ULONG_PTR>(GetMessageExtraInfo()));
  return true;
}

bool ShowMainWindow() {
  HWND main = MainWindow();
  if (!main) return true;
  ShowWindow(main, SW_SHOWNORMAL);
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(main);
  SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return true;
}

// The taskbar's own Alt+M shortcut. Without a taskbar the keys would reach
// whatever window is in front, so nothing is sent then.
bool MinimizeAll() {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (!taskbar) return true;
  SetForegroundWindow(taskbar);
  SetFocus(taskbar);
  PressKey(VK_MENU);
  Tap(LOBYTE(VkKeyScanA('M')));
  ReleaseKey(VK_MENU);
  return true;
}

}  // namespace

int PauseSeconds(int parameter) {
  // Compared before adding one: INT32_MAX + 1 would overflow.
  if (parameter < 0) return 1;
  if (parameter >= kLongestPauseSeconds) return kLongestPauseSeconds;
  return parameter + 1;
}

const ZSystemFunctionName* SystemFunctionName(int function) {
  if (function < 0 || function >= kSystemFunctionCount) return nullptr;
  return &kFunctions[function];
}

int ScrollKindNameId(int kind, bool vertical) {
  if (kind < 0 || kind >= kScrollKindCount) return 0;
  return vertical ? kVerticalScrollNames[kind] : kHorizontalScrollNames[kind];
}

bool ExecuteSystemFunction(int function, int parameter) {
  switch (function) {
    case ZCommandSystem::kMaximize: return Maximize();
    case ZCommandSystem::kMinimize: return Minimize();
    case ZCommandSystem::kRestore: return Show(GetForegroundWindow(), SW_RESTORE);
    case ZCommandSystem::kLogOff: return ExitWindowsEx(EWX_LOGOFF, 0) != FALSE;
    case ZCommandSystem::kReboot: return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
    case ZCommandSystem::kShutdown: return ExitWindowsEx(EWX_POWEROFF, 0) != FALSE;
    case ZCommandSystem::kVerticalScroll: return RequestScroll(ScrollDirection::Vertical, parameter);
    case ZCommandSystem::kHorizontalScroll: return RequestScroll(ScrollDirection::Horizontal, parameter);
    case ZCommandSystem::kPause: return Pause(parameter);
    case ZCommandSystem::kMonitorOff: return SendToMainWindow(SC_MONITORPOWER, kMonitorPowerOff);
    case ZCommandSystem::kMonitorOn: return SendToMainWindow(SC_MONITORPOWER, kMonitorPowerOn);
    case ZCommandSystem::kScreenSaver: return SendToMainWindow(SC_SCREENSAVE, 0);
    case ZCommandSystem::kStartMenu:
      PostMessageA(GetDesktopWindow(), WM_SYSCOMMAND, SC_TASKLIST, 0);
      return true;
    case ZCommandSystem::kNextWindow: return NextWindow();
    case ZCommandSystem::kPreviousWindow: return PreviousWindow();
    case ZCommandSystem::kLeftClick: return Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    case ZCommandSystem::kRightClick: return Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    case ZCommandSystem::kMiddleClick: return Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    case ZCommandSystem::kInsertDate: return InsertDateText(parameter);
    case ZCommandSystem::kInsertTime: return InsertTimeText(parameter);
    case ZCommandSystem::kShowMainWindow: return ShowMainWindow();
    case ZCommandSystem::kMinimizeAll: return MinimizeAll();
    default: return false;
  }
}
