#include "actions/scroll_thread.h"

#include <atomic>
#include <cstring>

namespace {

// Wait order of the events: a lower index is served first. Quit is ours, so
// that shutdown can end the thread before its handles are closed.
enum EventIndex { kQuit = 0, kStop, kVertical, kHorizontal, kLocate, kEventCount };

constexpr DWORD kQuitWaitMs = 2000;

// Handles shared with the requesting threads; written only by start and stop.
HANDLE g_events[kEventCount] = {};
HANDLE g_thread = nullptr;
std::atomic<int> g_kind{kScrollStop};
std::atomic<bool> g_autoScrolling{false};

// What the thread located; touched by the scroll thread only.
struct ScrollTarget {
  HWND window = nullptr;
  HWND verticalBar = nullptr;    // null: the window's own scroll bar
  HWND horizontalBar = nullptr;
  bool verticalFound = false;
  bool horizontalFound = false;
};

bool IsScrollBar(HWND window, bool vertical) {
  char className[32] = {};
  if (GetClassNameA(window, className, sizeof className) == 0) return false;
  if (_stricmp(className, "ScrollBar") != 0) return false;
  const bool isVertical = (GetWindowLongPtrA(window, GWL_STYLE) & SBS_VERT) != 0;
  return isVertical == vertical;
}

HWND FindScrollBarChild(HWND parent, bool vertical) {
  if (!parent) return nullptr;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsScrollBar(child, vertical)) return child;
  return nullptr;
}

// The focus window of the foreground thread: the scroll thread has no focus
// of its own.
HWND FocusWindow() {
  GUITHREADINFO info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(0, &info)) return nullptr;
  return info.hwndFocus ? info.hwndFocus : info.hwndActive;
}

// One direction of the search: a scroll-bar control among the focus window's
// children, then among its parent's, else the focus window's own bar.
bool LocateDirection(HWND focus, bool vertical, HWND& window, HWND& bar) {
  if (HWND found = FindScrollBarChild(focus, vertical)) {
    window = focus;
    bar = found;
    return true;
  }
  HWND parent = GetParent(focus);
  if (HWND found = FindScrollBarChild(parent, vertical)) {
    window = parent;
    bar = found;
    return true;
  }
  const LONG_PTR style = GetWindowLongPtrA(focus, GWL_STYLE);
  if (style & (vertical ? WS_VSCROLL : WS_HSCROLL)) {
    window = focus;
    bar = nullptr;
    return true;
  }
  return false;
}

void Locate(ScrollTarget& target) {
  target = ScrollTarget();
  HWND focus = FocusWindow();
  if (!focus) return;
  HWND window = nullptr;
  target.verticalFound = LocateDirection(focus, true, window, target.verticalBar);
  if (target.verticalFound) target.window = window;
  target.horizontalFound = LocateDirection(focus, false, window, target.horizontalBar);
  if (target.horizontalFound) target.window = window;
}

bool IsSignalled(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

bool AnyMouseButtonDown() {
  return (GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON) | GetAsyncKeyState(VK_MBUTTON)) &
         0x8000;
}

// The scroll code of a kind, or -1 for none.
int ScrollCode(int kind, bool vertical) {
  switch (kind) {
    case kScrollAutoBack:
    case kScrollLineBack:
      return vertical ? SB_LINEUP : SB_LINELEFT;
    case kScrollAutoForward:
      return vertical ? SB_LINEDOWN : SB_LINERIGHT;
    case kScrollPageBack:
      return vertical ? SB_PAGEUP : SB_PAGELEFT;
    case kScrollPageForward:
      return vertical ? SB_PAGEDOWN : SB_PAGERIGHT;
    case kScrollToEnd:
      return vertical ? SB_BOTTOM : SB_RIGHT;
    default:
      return -1;
  }
}

// Kinds whose request stays raised, so that the step repeats until stopped.
// An unknown kind gives one end-of-scroll notification and no more.
bool Repeats(int kind) {
  return kind == kScrollAutoBack || kind == kScrollAutoForward || kind == kScrollStop;
}

void PostScroll(const ScrollTarget& target, bool vertical, int code) {
  PostMessageA(target.window, vertical ? WM_VSCROLL : WM_HSCROLL, static_cast<WPARAM>(code),
               reinterpret_cast<LPARAM>(vertical ? target.verticalBar : target.horizontalBar));
}

void ServeStop(const ScrollTarget& target) {
  g_autoScrolling.store(false);
  for (int index = kStop; index < kEventCount; ++index) ResetEvent(g_events[index]);
  if (target.verticalFound) PostScroll(target, true, SB_ENDSCROLL);
  if (target.horizontalFound) PostScroll(target, false, SB_ENDSCROLL);
}

void ServeDirection(ScrollTarget& target, bool vertical) {
  HANDLE event = g_events[vertical ? kVertical : kHorizontal];
  // A request raises locate together with its direction: locate first, so
  // that it scrolls the window that has the focus now.
  if (IsSignalled(g_events[kLocate])) {
    ResetEvent(g_events[kLocate]);
    Locate(target);
  }
  const bool found = vertical ? target.verticalFound : target.horizontalFound;
  if (!found || !IsWindow(target.window)) {
    ResetEvent(event);  // nothing to scroll; leaving it raised would spin
    return;
  }
  const int kind = g_kind.load();
  const bool repeats = Repeats(kind);
  if (!repeats) ResetEvent(event);
  const int code = ScrollCode(kind, vertical);
  if (code >= 0) PostScroll(target, vertical, code);
  PostScroll(target, vertical, SB_ENDSCROLL);
  if (AnyMouseButtonDown()) SetEvent(g_events[kStop]);
  if (repeats) Sleep(kAutoScrollStepMs);
}

unsigned long WINAPI ScrollThreadMain(void*) {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  ScrollTarget target;
  for (;;) {
    const DWORD woken = WaitForMultipleObjects(kEventCount, g_events, FALSE, INFINITE);
    if (woken >= WAIT_OBJECT_0 + kEventCount) return 1;
    switch (woken - WAIT_OBJECT_0) {
      case kQuit:
        return 0;
      case kStop:
        ServeStop(target);
        break;
      case kVertical:
        ServeDirection(target, true);
        break;
      case kHorizontal:
        ServeDirection(target, false);
        break;
      default:
        ResetEvent(g_events[kLocate]);
        Locate(target);
        break;
    }
  }
}

void CloseHandles() {
  for (HANDLE& event : g_events) {
    if (event) CloseHandle(event);
    event = nullptr;
  }
  if (g_thread) CloseHandle(g_thread);
  g_thread = nullptr;
}

}  // namespace

bool StartScrollThread() {
  if (g_thread) return true;
  for (HANDLE& event : g_events) {
    event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!event) {
      CloseHandles();
      return false;
    }
  }
  g_thread = CreateThread(nullptr, 0, ScrollThreadMain, nullptr, 0, nullptr);
  if (!g_thread) {
    CloseHandles();
    return false;
  }
  return true;
}

void StopScrollThread() {
  if (!g_thread) return;
  SetEvent(g_events[kQuit]);
  WaitForSingleObject(g_thread, kQuitWaitMs);
  CloseHandles();
}

bool RequestScroll(ScrollDirection direction, int kind) {
  g_kind.store(kind);
  if (kind == kScrollAutoBack || kind == kScrollAutoForward) g_autoScrolling.store(true);
  if (!g_thread) return true;
  SetEvent(g_events[kLocate]);
  SetEvent(g_events[direction == ScrollDirection::Vertical ? kVertical : kHorizontal]);
  return true;
}

bool RequestScrollStop() {
  g_autoScrolling.store(false);
  if (g_thread) SetEvent(g_events[kStop]);
  return true;
}

bool IsAutoScrolling() { return g_autoScrolling.load(); }
