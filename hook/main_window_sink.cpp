#include "hook/main_window_sink.h"

#include "hook/hook_protocol.h"

void MainWindowSink::refresh() {
  if (!window_ || !IsWindow(window_)) window_ = FindWindowA(ZAVOTRA_WINDOW_CLASS, nullptr);
}

void MainWindowSink::post(unsigned message, uintptr_t wParam, uint32_t lParam) {
  if (!window_) return;
  if (PostMessageA(window_, message, wParam, static_cast<LPARAM>(lParam))) return;
  // The window went away since the last look: the one look-up inside a
  // callback, and only on this rare path.
  window_ = FindWindowA(ZAVOTRA_WINDOW_CLASS, nullptr);
  if (window_) PostMessageA(window_, message, wParam, static_cast<LPARAM>(lParam));
}

void MainWindowSink::replayClick(MouseButton button, HookPoint at) {
  PostThreadMessageA(GetCurrentThreadId(), kReplayClickMessage, static_cast<WPARAM>(button),
                     static_cast<LPARAM>(PackHookPoint(at)));
}

uint32_t MainWindowSink::captureOffReason(HookPoint at) { return exceptions_.reasonAt(POINT{at.x, at.y}); }
