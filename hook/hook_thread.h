// The thread of Zavotra.dll that owns the low-level mouse and keyboard hooks.
// The hook procedures run on it (the system calls them through its message
// loop), so the gesture tracker is only ever touched by this thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "hook/gesture_tracker.h"
#include "hook/unique_handle.h"

#include "hook/hook_protocol.h"

// dwExtraInfo of the input we inject ourselves, so that our hooks let it pass.
constexpr ULONG_PTR kHookInputSignature = ZAVOTRA_INPUT_SIGNATURE;

// The settings as UpdateSettings last delivered them. Written by the caller's
// thread, read by the hook procedures, which must never wait for a lock.
struct LiveSettings {
  std::atomic<int32_t> dragThreshold{8};
  std::atomic<int32_t> drawButton{-1};
  std::atomic<bool> userEnable{false};
  std::atomic<bool> notSuspended{false};

  TrackerConfig snapshot() const;
};
LiveSettings& CurrentSettings();

class HookThread {
 public:
  // Starts the thread and waits until its hooks are installed.
  bool start(HMODULE module);
  // Asks the thread to unhook and end, and waits for it.
  void stop();
  // Tells the running thread to pick up the published capture exceptions
  // (a thread that starts later picks them up as it starts).
  void exceptionsChanged();
  bool running() const { return thread_.valid(); }

 private:
  UniqueHandle thread_;
  DWORD threadId_ = 0;
};
