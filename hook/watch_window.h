// The hook library's own hidden top-level window, on the hook thread. Windows
// removes a low-level hook silently when a callback overruns its time limit
// (and hooks can be lost across a locked session or a suspend); the window
// hears of unlocks and resumes so that the hooks can go in again. It is also
// where the mouse's raw input arrives: the witness of button releases that
// never reach the hooks.
#pragma once
#include <windows.h>

#include <cstdint>

#include "hook/gesture_tracker.h"

class WatchListener {
 public:
  virtual ~WatchListener() = default;
  // The session was unlocked or reconnected, or the system resumed.
  virtual void hooksMayBeGone() = 0;
  // The raw input saw the (logical) button go up at the message time.
  virtual void releaseWitnessed(MouseButton button, uint32_t time) = 0;
  // About once a second, outside any hook callback.
  virtual void tick() = 0;
};

class WatchWindow {
 public:
  // Registers the class in `module`, creates the window and asks for the
  // notifications. Without a window the hooks still work, only unwatched.
  WatchWindow(HMODULE module, WatchListener& listener);
  ~WatchWindow();
  WatchWindow(const WatchWindow&) = delete;
  WatchWindow& operator=(const WatchWindow&) = delete;

  bool valid() const { return window_ != nullptr; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void onRawInput(HRAWINPUT input);

  HMODULE module_;
  WatchListener& listener_;
  HWND window_ = nullptr;
  bool sessionNotifications_ = false;
  bool rawInput_ = false;
};
