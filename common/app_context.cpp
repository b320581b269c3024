#include "common/app_context.h"

#include <atomic>
#include <mutex>

namespace {
HINSTANCE g_instance = nullptr;
std::atomic<HWND> g_mainWindow{nullptr};
bool g_capabilities[kCapabilityCount] = {};
std::atomic<CaptureSwitch*> g_captureSwitch{nullptr};
// Held across every call through the switch and every change of it.
std::mutex g_captureSwitchUse;
}  // namespace

HINSTANCE AppInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }
void SetAppInstance(HINSTANCE instance) { g_instance = instance; }

HWND MainWindow() { return g_mainWindow.load(); }
void SetMainWindow(HWND window) { g_mainWindow.store(window); }

bool HasCapability(Capability flag) { return g_capabilities[static_cast<int>(flag)]; }
void SetCapability(Capability flag, bool on) { g_capabilities[static_cast<int>(flag)] = on; }
void ClearCapabilities() {
  for (bool& flag : g_capabilities) flag = false;
}

CaptureSwitch* ActiveCaptureSwitch() { return g_captureSwitch.load(); }
void SetActiveCaptureSwitch(CaptureSwitch* capture) {
  std::lock_guard<std::mutex> use(g_captureSwitchUse);
  g_captureSwitch.store(capture);
}
void SetActiveCaptureNotSuspended(bool on) {
  std::lock_guard<std::mutex> use(g_captureSwitchUse);
  if (CaptureSwitch* capture = g_captureSwitch.load()) capture->setNotSuspended(on, false);
}

namespace {
std::atomic<int> g_modalDialogs{0};
}  // namespace

int ModalDialogCount() { return g_modalDialogs.load(); }
void EnterModalDialog() { ++g_modalDialogs; }
void LeaveModalDialog() {
  if (g_modalDialogs > 0) --g_modalDialogs;
}
