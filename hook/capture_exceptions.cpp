#include "hook/capture_exceptions.h"

#include <cstring>
#include <mutex>

#include "common/window_tree.h"

namespace {

std::mutex& PublishedLock() {
  static std::mutex lock;
  return lock;
}

CaptureExceptions& Published() {
  static CaptureExceptions exceptions;
  return exceptions;
}

// The next zero-terminated text of the record, or false when it would run
// past its end.
bool NextText(const char*& at, const char* end, std::string& text) {
  const void* zero = at < end ? memchr(at, '\0', static_cast<size_t>(end - at)) : nullptr;
  if (!zero) return false;
  text.assign(at, static_cast<const char*>(zero));
  at = static_cast<const char*>(zero) + 1;
  return true;
}

// GetWindowText would send WM_GETTEXT to a window of this process, and a hook
// callback must never wait for another thread; InternalGetWindowText reads
// the caption the system keeps.
std::string CaptionOf(HWND window) {
  wchar_t wide[1024] = {};
  const int length = InternalGetWindowText(window, wide, 1024);
  if (length <= 0) return std::string();
  char text[2048] = {};
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, text, sizeof text - 1, nullptr, nullptr);
  return std::string(text, bytes > 0 ? bytes : 0);
}

bool OwnedByThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

}  // namespace

CaptureExceptions CaptureExceptions::FromRecord(const HookCaptureExceptions& record) {
  CaptureExceptions exceptions;
  exceptions.pauseInFullScreen_ = (record.flags & HOOK_PAUSE_IN_FULL_SCREEN) != 0;
  if (!record.texts) return exceptions;
  const char* at = record.texts;
  const char* end = record.texts + record.textsSize;
  for (uint32_t i = 0; i < record.count; ++i) {
    ZWindowRule rule;
    if (!NextText(at, end, rule.key) || !NextText(at, end, rule.caption)) break;
    exceptions.rules_.push_back(std::move(rule));
  }
  return exceptions;
}

bool IsFullScreenWindow(HWND window) {
  if (!IsWindowVisible(window) || IsIconic(window)) return false;
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONULL);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!monitor || !GetMonitorInfoA(monitor, &info)) return false;
  const RECT& screen = info.rcMonitor;
  return rect.left <= screen.left && rect.top <= screen.top && rect.right >= screen.right &&
         rect.bottom >= screen.bottom;
}

bool IsDesktopOrShellWindow(HWND window, const std::string& className) {
  if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
  for (const char* shell : {"#32769", "Progman", "WorkerW", "Shell_TrayWnd"})
    if (className == shell) return true;
  return false;
}

uint32_t CaptureExceptions::reasonAt(POINT point) const {
  if (empty()) return 0;
  HWND window = TopLevelWindowAt(point);
  // The program's own windows keep capture: its main window, its dialogs.
  if (!window || OwnedByThisProcess(window)) return 0;
  const std::string className = WindowClassName(window);
  const bool listed = !rules_.empty() && MatchWindowRule(rules_, className, [window] { return CaptionOf(window); }) >= 0;
  if (!pauseInFullScreen_) return listed ? HOOK_CAPTURE_OFF_LISTED : 0;
  if (listed || IsDesktopOrShellWindow(window, className) || !IsFullScreenWindow(window)) return 0;
  return HOOK_CAPTURE_OFF_FULL_SCREEN;
}

void PublishCaptureExceptions(CaptureExceptions exceptions) {
  std::lock_guard<std::mutex> guard(PublishedLock());
  Published() = std::move(exceptions);
}

CaptureExceptions PublishedCaptureExceptions() {
  std::lock_guard<std::mutex> guard(PublishedLock());
  return Published();
}
