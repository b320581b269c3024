#include "hook/hook_thread.h"

#include "hook/hook_protocol.h"
#include "hook/main_window_sink.h"
#include "hook/watch_window.h"

namespace {

constexpr DWORD kStopTimeoutMs = 5000;

// Owner of an installed hook.
class UniqueHook {
 public:
  UniqueHook() = default;
  UniqueHook(const UniqueHook&) = delete;
  UniqueHook& operator=(const UniqueHook&) = delete;
  ~UniqueHook() { reset(); }
  void reset(HHOOK hook = nullptr) {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = hook;
  }
  bool valid() const { return hook_ != nullptr; }

 private:
  HHOOK hook_ = nullptr;
};

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM data);
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM data);

// The two low-level hooks, which can be put in again: the system drops a hook
// silently when a callback overran its time limit.
class InputHooks {
 public:
  explicit InputHooks(HMODULE module) : module_(module) {}
  bool install() {
    // Out first: with the old and the new hook in at once, input arriving in
    // between would reach the tracker twice.
    mouse_.reset();
    keyboard_.reset();
    mouse_.reset(SetWindowsHookExA(WH_MOUSE_LL, MouseHookProc, module_, 0));
    keyboard_.reset(SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHookProc, module_, 0));
    return mouse_.valid() && keyboard_.valid();
  }

 private:
  HMODULE module_;
  UniqueHook mouse_;
  UniqueHook keyboard_;
};

// Everything the hook thread owns, and what it does when its window hears
// something.
class HookThreadState : public WatchListener {
 public:
  explicit HookThreadState(HMODULE module) : hooks(module) {
    sink.refresh();
    sink.setExceptions(PublishedCaptureExceptions());
  }

  void hooksMayBeGone() override {
    // Input went by unseen; a gesture in progress is given up, and the hooks
    // go in again (also first in the chain once more).
    tracker.reset();
    hooks.install();
  }
  void releaseWitnessed(MouseButton button, uint32_t time) override { tracker.onReleaseWitnessed(button, time); }
  void tick() override { sink.refresh(); }

  MainWindowSink sink;
  GestureTracker tracker{sink};
  InputHooks hooks;
};

// Only the hook thread touches this, and only while it runs.
GestureTracker* g_tracker = nullptr;

HookPoint ToHookPoint(POINT point) { return HookPoint{point.x, point.y}; }

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM data) {
  if (code != HC_ACTION || !g_tracker) return CallNextHookEx(nullptr, code, message, data);
  const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
  if (event->dwExtraInfo == kHookInputSignature) return CallNextHookEx(nullptr, code, message, data);

  const TrackerConfig config = CurrentSettings().snapshot();
  const HookPoint at = ToHookPoint(event->pt);
  const uint32_t time = event->time;
  bool swallow = false;
  switch (message) {
    case WM_MOUSEMOVE: g_tracker->onMove(at, config); break;
    case WM_LBUTTONDOWN: swallow = g_tracker->onButtonDown(MouseButton::Left, at, config, time); break;
    case WM_LBUTTONUP: swallow = g_tracker->onButtonUp(MouseButton::Left, at, config); break;
    case WM_MBUTTONDOWN: swallow = g_tracker->onButtonDown(MouseButton::Middle, at, config, time); break;
    case WM_MBUTTONUP: swallow = g_tracker->onButtonUp(MouseButton::Middle, at, config); break;
    case WM_RBUTTONDOWN: swallow = g_tracker->onButtonDown(MouseButton::Right, at, config, time); break;
    case WM_RBUTTONUP: swallow = g_tracker->onButtonUp(MouseButton::Right, at, config); break;
    case WM_XBUTTONDOWN: swallow = g_tracker->onButtonDown(MouseButton::Other, at, config, time); break;
    default: g_tracker->onOtherInput(); break;  // wheels, X button releases
  }
  return swallow ? 1 : CallNextHookEx(nullptr, code, message, data);
}

TrackedKey KeyOf(DWORD virtualKey) {
  switch (virtualKey) {
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return TrackedKey::Ctrl;
    case VK_SHIFT:
    case VK_LSHIFT: return TrackedKey::LeftShift;
    case VK_RSHIFT: return TrackedKey::RightShift;
    case VK_ESCAPE: return TrackedKey::Escape;
    default: return TrackedKey::Other;
  }
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM data) {
  bool swallow = false;
  if (code == HC_ACTION && g_tracker) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (event->dwExtraInfo != kHookInputSignature) {
      const TrackerConfig config = CurrentSettings().snapshot();
      const TrackedKey key = KeyOf(event->vkCode);
      if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) swallow = g_tracker->onKeyDown(key, config);
      if (message == WM_KEYUP || message == WM_SYSKEYUP) swallow = g_tracker->onKeyUp(key, config);
    }
  }
  // Keys pass, but for the Esc that cancels a gesture.
  return swallow ? 1 : CallNextHookEx(nullptr, code, message, data);
}

// Hook points are physical pixels on every system. The replayed click's
// normalised coordinates are computed here from the screen's metrics, so this
// thread works in physical pixels too, whatever the host process declares.
void UsePhysicalPixels() {
  using SetContextFn = HANDLE(WINAPI*)(HANDLE);
  const auto set = reinterpret_cast<SetContextFn>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext"));
  if (!set) return;  // before Windows 10 the program's manifest decides for the whole process
  const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
  if (!set(kPerMonitorAwareV2)) set(kPerMonitorAware);
}

// Normalised absolute coordinate of a screen pixel on the virtual desktop,
// rounded up so that the system's truncating conversion lands on the pixel.
LONG NormalisedCoordinate(LONG pixel, int origin, int extent) {
  if (extent <= 0) return 0;
  const long long offset = static_cast<long long>(pixel) - origin;
  return static_cast<LONG>((offset * 65536 + extent - 1) / extent);
}

void ReplayClick(WPARAM button, LPARAM point) {
  static const DWORD kDownFlags[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_RIGHTDOWN};
  static const DWORD kUpFlags[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_RIGHTUP};
  if (button > static_cast<WPARAM>(MouseButton::Right)) return;

  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dx = NormalisedCoordinate(static_cast<short>(LOWORD(point)),
                                         GetSystemMetrics(SM_XVIRTUALSCREEN),
                                         GetSystemMetrics(SM_CXVIRTUALSCREEN));
  inputs[0].mi.dy = NormalisedCoordinate(static_cast<short>(HIWORD(point)),
                                         GetSystemMetrics(SM_YVIRTUALSCREEN),
                                         GetSystemMetrics(SM_CYVIRTUALSCREEN));
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | kDownFlags[button];
  inputs[0].mi.dwExtraInfo = kHookInputSignature;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = kUpFlags[button];
  inputs[1].mi.dwExtraInfo = kHookInputSignature;
  SendInput(2, inputs, sizeof(INPUT));
}

struct StartContext {
  HMODULE module;
  UniqueHandle ready;
  bool installed = false;
};

void PumpUntilQuit(HookThreadState& state) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!msg.hwnd && msg.message == kReplayClickMessage) {
      ReplayClick(msg.wParam, msg.lParam);
      continue;
    }
    if (!msg.hwnd && msg.message == kExceptionsChangedMessage) {
      state.sink.setExceptions(PublishedCaptureExceptions());
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

DWORD WINAPI HookThreadMain(void* parameter) {
  auto* start = static_cast<StartContext*>(parameter);
  // Keep the library loaded while this thread runs in it, even if the program
  // unloads it without ReleaseHooks; the thread drops the reference as it ends.
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                     reinterpret_cast<LPCSTR>(&HookThreadMain), &self);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);  // input must not lag
  UsePhysicalPixels();
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts to it
  {
    HookThreadState state(start->module);
    g_tracker = &state.tracker;
    const bool installed = state.hooks.install();
    WatchWindow watch(start->module, state);
    start->installed = installed;
    SetEvent(start->ready.get());  // from here on `start` belongs to the caller again
    if (installed) PumpUntilQuit(state);
    g_tracker = nullptr;
  }
  if (self) FreeLibraryAndExitThread(self, 0);
  return 0;
}

}  // namespace

TrackerConfig LiveSettings::snapshot() const {
  TrackerConfig config;
  config.dragThreshold = dragThreshold.load();
  config.drawButton = drawButton.load();
  config.userEnable = userEnable.load();
  config.notSuspended = notSuspended.load();
  return config;
}

LiveSettings& CurrentSettings() {
  static LiveSettings settings;
  return settings;
}

bool HookThread::start(HMODULE module) {
  if (running()) return true;
  StartContext context{module, UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr))};
  if (!context.ready.valid()) return false;
  DWORD id = 0;
  UniqueHandle thread(CreateThread(nullptr, 0, HookThreadMain, &context, 0, &id));
  if (!thread.valid()) return false;
  // Installing a hook never waits for anything, so the thread soon either
  // signals or ends; it does not touch `context` after signalling.
  const HANDLE waitFor[] = {context.ready.get(), thread.get()};
  if (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) != WAIT_OBJECT_0) return false;
  if (!context.installed) {
    WaitForSingleObject(thread.get(), kStopTimeoutMs);
    return false;
  }
  thread_.reset(thread.release());
  threadId_ = id;
  return true;
}

void HookThread::exceptionsChanged() {
  if (running()) PostThreadMessageA(threadId_, kExceptionsChangedMessage, 0, 0);
}

void HookThread::stop() {
  if (!running()) return;
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_.get(), kStopTimeoutMs);
  thread_.reset();
  threadId_ = 0;
}
