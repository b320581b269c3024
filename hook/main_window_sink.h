// The tracker's view of the world from inside the hook thread: the main
// window (class "ZavotraClass"), to which the gesture messages go, and the
// thread's own queue, where a swallowed click waits to be handed back.
#pragma once
#include <windows.h>

#include "hook/capture_exceptions.h"
#include "hook/gesture_tracker.h"

// A thread message to the hook thread itself: hand a swallowed click back to
// the system once the hook procedure has returned. wParam: the button;
// lParam: the packed point.
constexpr UINT kReplayClickMessage = WM_APP + 0x5A;
// A thread message to the hook thread: the program delivered new capture
// exceptions; pick them up.
constexpr UINT kExceptionsChangedMessage = WM_APP + 0x5B;

class MainWindowSink : public TrackerSink {
 public:
  // Looks the main window up again if it has gone (the program may have
  // started again). Called outside the hook callbacks, which must stay quick.
  void refresh();

  bool hasTarget() override { return window_ != nullptr; }
  void post(unsigned message, uintptr_t wParam, uint32_t lParam) override;
  void replayClick(MouseButton button, HookPoint at) override;
  uint32_t captureOffReason(HookPoint at) override;

  // On the hook thread, outside the callbacks.
  void setExceptions(CaptureExceptions exceptions) { exceptions_ = std::move(exceptions); }

 private:
  HWND window_ = nullptr;
  CaptureExceptions exceptions_;
};
