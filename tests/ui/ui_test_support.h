// Driving the editing dialogs like a user: a second thread finds the dialog,
// fills its controls by id and presses its buttons, with real input where the
// mouse matters; another program's window to point at.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/support/dialog_driving.h"
#include "tests/support/injected_input.h"

#ifndef ZAVOTRA_TARGET_APPLICATION
#error "the tests need the path of the target application"
#endif


// The pointer at a screen point, both the system's and the input queue's.
inline void MouseTo(POINT at, DWORD buttonFlags = 0) {
  SetCursorPos(at.x, at.y);
  InjectMouse(buttonFlags, at);
  Sleep(20);
}

// Walks the pointer from `from` to `to` in small steps.
inline void MouseWalk(POINT from, POINT to) {
  for (int step = 1; step <= 10; ++step)
    MouseTo(POINT{from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
}

inline POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Another program's window with an edit control inside, where the test says.
class ZTargetApplication {
 public:
  ZTargetApplication(const std::string& className, const std::string& caption, int x, int y, int w = 300, int h = 200)
      : className_(className) {
    std::string command = "\"" + std::string(ZAVOTRA_TARGET_APPLICATION) + "\" " + className + " " +
                          std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
                          std::to_string(h) + " " + caption;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
      return;
    WaitFor([&] { return (window_ = FindWindowA(className_.c_str(), nullptr)) != nullptr && IsWindowVisible(window_); },
            15000);
    Sleep(200);
  }
  ~ZTargetApplication() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
  }
  ZTargetApplication(const ZTargetApplication&) = delete;
  ZTargetApplication& operator=(const ZTargetApplication&) = delete;

  HWND window() const { return window_; }
  HWND child() const { return window_ ? FindWindowExA(window_, nullptr, "EDIT", nullptr) : nullptr; }

 private:
  std::string className_;
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};
