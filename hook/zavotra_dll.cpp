// Zavotra.dll: captures the drawing button and the Ctrl key system-wide and
// reports gestures to the main window. Exports UpdateSettings, ReleaseHooks
// and UpdateCaptureExceptions.
#include <windows.h>

#include <mutex>

#include "hook/capture_exceptions.h"
#include "hook/hook_protocol.h"
#include "hook/hook_thread.h"

namespace {

HMODULE g_module = nullptr;

// UpdateSettings may come from the program's worker threads (which suspend
// capture around their own Ctrl+C) as well as from its interface thread.
std::mutex& ControlLock() {
  static std::mutex lock;
  return lock;
}

HookThread g_hookThread;
bool g_released = false;  // after ReleaseHooks nothing is captured again

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" void __cdecl UpdateSettings(HookSettings* settings) {
  if (!settings) return;
  std::lock_guard<std::mutex> guard(ControlLock());
  LiveSettings& live = CurrentSettings();
  live.dragThreshold.store(settings->dragThreshold);
  live.drawButton.store(settings->drawButton);
  live.userEnable.store(settings->userEnable != 0);
  live.notSuspended.store(settings->notSuspended != 0);
  // The hooks go in with the first settings that switch capture on, and then
  // stay: while a flag is off they let everything pass untouched.
  if (!g_released && settings->userEnable && settings->notSuspended) g_hookThread.start(g_module);
}

extern "C" void __cdecl ReleaseHooks(void) {
  std::lock_guard<std::mutex> guard(ControlLock());
  g_released = true;
  LiveSettings& live = CurrentSettings();
  live.userEnable.store(false);
  live.notSuspended.store(false);
  g_hookThread.stop();
}

extern "C" void __cdecl UpdateCaptureExceptions(const HookCaptureExceptions* exceptions) {
  std::lock_guard<std::mutex> guard(ControlLock());
  PublishCaptureExceptions(exceptions ? CaptureExceptions::FromRecord(*exceptions) : CaptureExceptions());
  g_hookThread.exceptionsChanged();
}
