// Synthetic mouse input at a screen point, as the tests inject it, and the
// pumping that keeps a test's own windows alive while another thread or
// process acts on them. Windows tests only.
#pragma once
#include <windows.h>

// The absolute coordinate of a pixel, rounded up so that the system's
// truncating conversion lands on it.
inline LONG NormalisedCoordinate(LONG pixel, int extent) {
  return static_cast<LONG>((pixel * 65536LL + extent - 1) / extent);
}

// One mouse event at `at` (a move there, with the buttons of `flags`).
inline void InjectMouse(DWORD flags, POINT at) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = NormalisedCoordinate(at.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = NormalisedCoordinate(at.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof input);
}

inline void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps this thread's messages until `condition` holds or `ms` have passed.
template <typename Condition>
bool WaitPumpingFor(Condition condition, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 10) {
    PumpMessages();
    if (condition()) return true;
    Sleep(10);
  }
  PumpMessages();
  return condition();
}

inline void PumpMessagesFor(DWORD ms) {
  WaitPumpingFor([] { return false; }, ms);
}

// One mouse event, then a moment for this thread's windows to take it.
inline void InjectMouseAndPump(DWORD flags, POINT at) {
  InjectMouse(flags, at);
  PumpMessagesFor(8);
}

// One key going down or up, then a moment for this thread's windows to take it.
inline void InjectKeyAndPump(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
  PumpMessagesFor(10);
}
