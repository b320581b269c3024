#include "shell/main_window.h"

#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "shell/capture_messages.h"
#include "plugins/plugin_manager.h"
#include "shell/optional_functions.h"
#include "shell/profile_dialogs.h"
#include "shell/profile_set.h"
#include "shell/registry_entries.h"
#include "common/settings.h"
#include "shell/startup_steps.h"
#include "shell/web_commands.h"
#include "common/string_resource.h"
#include "shell/window_placement.h"

const char ZMainWindow::kClassName[] = "ZavotraClass";

namespace {
ZRect ToZRect(const RECT& r) { return ZRect{r.left, r.top, r.right, r.bottom}; }

bool MonitorRect(int x, int y, ZRect& rect) {
  const ZOptionalFunctions& f = OptionalFunctions();
  if (!HasCapability(Capability::MultipleMonitors) || !f.monitorFromPoint || !f.getMonitorInfo) return false;
  HMONITOR monitor = f.monitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!monitor || !f.getMonitorInfo(monitor, &info)) return false;
  rect = ToZRect(info.rcMonitor);
  return true;
}

bool RegisterMainClass() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(AppInstance(), ZMainWindow::kClassName, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = AppInstance();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = ZMainWindow::kClassName;
  return RegisterClassExA(&wc) != 0;
}
}  // namespace

POINT MainWindowPosition(int x, int y) {
  ZRect monitor;
  ZPoint place = MonitorRect(x, y, monitor)
                     ? PlaceOnMonitor(x, y, ZMainWindow::kWidth, ZMainWindow::kHeight, monitor)
                     : PlaceOnScreen(x, y, ZMainWindow::kWidth, ZMainWindow::kHeight,
                                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return POINT{place.x, place.y};
}

ZMainWindow::~ZMainWindow() { destroy(); }

void ZMainWindow::destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

bool ZMainWindow::create() {
  if (!RegisterMainClass()) return false;
  const POINT place = MainWindowPosition(Settings().windowX, Settings().windowY);
  // The class procedure is the default one so that the class can exist
  // before any object; each window routes to its object from creation on.
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, kClassName, LoadAnsiString(IDS_APP_TITLE, AppInstance()).c_str(),
                                WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, place.x, place.y, kWidth, kHeight,
                                nullptr, nullptr, AppInstance(), nullptr);
  if (!window) return false;
  window_ = window;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZMainWindow::procedure));
  onCreate();
  return true;
}

void ZMainWindow::onCreate() {
  SetMainWindow(window_);
  LoadViewPlugins();
  RegisterActionHotkeys();
  CreateTrayIcon();
  LoadHookLibrary();
  const bool firstTime = Settings().firstTime;  // saving clears it
  if (firstTime) Profiles().saveCurrent();
  if (firstTime || !Settings().startHidden) bringForward();
}

void ZMainWindow::bringForward() {
  ShowWindow(window_, SW_SHOWNORMAL);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window_);
  SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void ZMainWindow::onDestroy() {
  if (shutDown_) return;
  shutDown_ = true;
  WriteRegistryEntries();
  Profiles().saveCurrent();
  ReleaseHookLibrary();
  KillTimer(window_, ID_FEEDBACK_TIMER);
  PostQuitMessage(0);
}

void ZMainWindow::confirmExit() {
  const std::string question = LoadAnsiString(IDS_CONFIRM_EXIT, AppInstance());
  const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
  if (MessageBoxA(window_, question.c_str(), title.c_str(), MB_YESNO | MB_ICONSTOP) == IDYES) DestroyWindow(window_);
}

void ZMainWindow::onSysCommand(WPARAM command, LPARAM lParam) {
  switch (command & 0xFFF0) {
    case SC_MINIMIZE: ShowWindow(window_, SW_HIDE); return;
    case SC_MAXIMIZE: ShowWindow(window_, SW_SHOWNORMAL); return;
    case SC_CLOSE: confirmExit(); return;
  }
  DefWindowProcA(window_, WM_SYSCOMMAND, command, lParam);
}

bool ZMainWindow::onCommand(WORD command) {
  switch (command) {
    case IDM_EXIT: confirmExit(); return true;
    case IDM_NEW_PROFILE: {
      ZModalDialogScope modal;
      RunProfileEditor(window_);
      return true;
    }
    case IDM_CHANGE_PASSWORD: {
      ZModalDialogScope modal;
      RunChangePassword(window_);
      return true;
    }
    case IDM_EXCHANGE_NOW: RunWebExchange(true); return true;
    case IDM_DOWNLOAD_PLUGINS: OpenPluginDownload(window_); return true;
  }
  return false;
}

void ZMainWindow::paint() {
  // The skin arrives with the main window's elements; until then a plain face.
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client;
  GetClientRect(window_, &client);
  HBRUSH brush = CreateSolidBrush(RGB(32, 64, 128));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
  DrawTextA(dc, title.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EndPaint(window_, &ps);
}

LRESULT ZMainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER && message < 0x7FFF) return CaptureMessages().handle(message, wParam, lParam);
  switch (message) {
    case WM_HOTKEY:
      PluginManager().hotkeyPressed(HIWORD(lParam), LOWORD(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == ID_FEEDBACK_TIMER) CaptureMessages().endFeedbackPeriod();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
    case WM_MOVE:
      if (!IsIconic(window_)) {
        RECT r;
        GetWindowRect(window_, &r);
        Settings().windowX = r.left;
        Settings().windowY = r.top;
      }
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) ShowWindow(window_, SW_HIDE);
      else if (wParam == SIZE_MAXIMIZED) ShowWindow(window_, SW_SHOWNORMAL);
      return 0;
    case WM_CLOSE:
      ShowWindow(window_, SW_HIDE);  // the program keeps running
      return 0;
    case WM_QUERYENDSESSION:
      return ModalDialogCount() == 0;
    case WM_ENDSESSION:
      if (wParam) DestroyWindow(window_);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paint();
      return 0;
    case WM_SYSCOMMAND:
      onSysCommand(wParam, lParam);
      return 0;
    case WM_COMMAND:
      if (onCommand(LOWORD(wParam))) return 0;
      break;
    case WM_NOTIFY:
      return 0;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK ZMainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ZMainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    SetMainWindow(nullptr);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->handle(message, wParam, lParam);
}
