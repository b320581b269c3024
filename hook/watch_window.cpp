#include "hook/watch_window.h"

#include <wtsapi32.h>

#include "hook/hook_protocol.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 1000;
constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kMouseUsage = 0x02;

bool IsUnlockOrReconnect(WPARAM change) {
  return change == WTS_SESSION_UNLOCK || change == WTS_CONSOLE_CONNECT || change == WTS_REMOTE_CONNECT;
}

bool IsResume(WPARAM event) { return event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND; }

RAWINPUTDEVICE MouseDevice(DWORD flags, HWND target) {
  RAWINPUTDEVICE device = {};
  device.usUsagePage = kGenericDesktopPage;
  device.usUsage = kMouseUsage;
  device.dwFlags = flags;
  device.hwndTarget = target;
  return device;
}

// Raw input names the physical buttons; the hooks see them after the user's
// swap of the primary and secondary button.
MouseButton Logical(MouseButton physical, bool swapped) {
  if (!swapped) return physical;
  if (physical == MouseButton::Left) return MouseButton::Right;
  if (physical == MouseButton::Right) return MouseButton::Left;
  return physical;
}

}  // namespace

WatchWindow::WatchWindow(HMODULE module, WatchListener& listener) : module_(module), listener_(listener) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &WatchWindow::Procedure;
  wc.hInstance = module_;
  wc.lpszClassName = ZAVOTRA_HOOK_WATCH_CLASS;
  RegisterClassA(&wc);  // may exist already from an earlier start of the thread
  // Top-level, not message-only: only top-level windows receive WM_POWERBROADCAST.
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, ZAVOTRA_HOOK_WATCH_CLASS, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, module_, this);
  if (!window_) return;
  sessionNotifications_ = WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION) != FALSE;
  const RAWINPUTDEVICE mouse = MouseDevice(RIDEV_INPUTSINK, window_);
  rawInput_ = RegisterRawInputDevices(&mouse, 1, sizeof mouse) != FALSE;
  SetTimer(window_, kTickTimer, kTickMs, nullptr);
}

WatchWindow::~WatchWindow() {
  if (window_) {
    if (rawInput_) {
      const RAWINPUTDEVICE mouse = MouseDevice(RIDEV_REMOVE, nullptr);
      RegisterRawInputDevices(&mouse, 1, sizeof mouse);
    }
    if (sessionNotifications_) WTSUnRegisterSessionNotification(window_);
    DestroyWindow(window_);
  }
  // A class outlives the library that registered it; its procedure must not.
  UnregisterClassA(ZAVOTRA_HOOK_WATCH_CLASS, module_);
}

LRESULT CALLBACK WatchWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<WatchWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self) {
    switch (message) {
      case WM_WTSSESSION_CHANGE:
        if (IsUnlockOrReconnect(wParam)) self->listener_.hooksMayBeGone();
        return 0;
      case WM_POWERBROADCAST:
        if (IsResume(wParam)) self->listener_.hooksMayBeGone();
        return TRUE;
      case WM_INPUT:
        self->onRawInput(reinterpret_cast<HRAWINPUT>(lParam));
        break;  // the default handling frees the input
      case WM_TIMER:
        if (wParam == kTickTimer) self->listener_.tick();
        return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void WatchWindow::onRawInput(HRAWINPUT input) {
  RAWINPUT data;
  UINT size = sizeof data;
  if (GetRawInputData(input, RID_INPUT, &data, &size, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1)) return;
  if (data.header.dwType != RIM_TYPEMOUSE) return;
  // Our own replayed clicks carry the signature, as in the hooks.
  if (data.data.mouse.ulExtraInformation == ZAVOTRA_INPUT_SIGNATURE) return;
  struct Release {
    USHORT flag;
    MouseButton physical;
  };
  static const Release kReleases[] = {{RI_MOUSE_LEFT_BUTTON_UP, MouseButton::Left},
                                      {RI_MOUSE_MIDDLE_BUTTON_UP, MouseButton::Middle},
                                      {RI_MOUSE_RIGHT_BUTTON_UP, MouseButton::Right}};
  const USHORT flags = data.data.mouse.usButtonFlags;
  if (!(flags & (RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_MIDDLE_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_UP))) return;
  const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
  const uint32_t time = static_cast<uint32_t>(GetMessageTime());
  for (const Release& release : kReleases)
    if (flags & release.flag) listener_.releaseWitnessed(Logical(release.physical, swapped), time);
}
