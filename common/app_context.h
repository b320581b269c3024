// Process-wide handles and switches, set by start-up and read by every
// subsystem. Kept tiny on purpose so that actions, gestures and plug-ins can
// depend on it without depending on the whole shell.
#pragma once
#include <windows.h>

// Instance handle for loading resources; GetModuleHandle(nullptr) until set.
HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);

// The main window of class "ZavotraClass"; 0 until it has been created.
HWND MainWindow();
void SetMainWindow(HWND window);

// Operating-system capability flags, filled once at start-up.
enum class Capability : int {
  NtPlatform = 0,
  Reserved = 1,
  LanguageGroups = 2,
  MultipleMonitors = 3,
  AlphaBlend = 4,
  LayeredWindows = 5,
};
constexpr int kCapabilityCount = 6;
bool HasCapability(Capability flag);
void SetCapability(Capability flag, bool on);
void ClearCapabilities();

// The gesture capture's "not suspended" switch. Synthetic Ctrl+C and Ctrl+V
// suspend capture so that the program's own Ctrl is not taken for the user's.
// The hook library object registers itself here; there may be none.
class CaptureSwitch {
 public:
  virtual ~CaptureSwitch() = default;
  virtual void setNotSuspended(bool on, bool showStatus) = 0;
};
CaptureSwitch* ActiveCaptureSwitch();
// Waits for a call through the previous switch (below) to end, so that once
// this returns nothing reaches a switch that was taken away.
void SetActiveCaptureSwitch(CaptureSwitch* capture);
// Worker threads call the active switch only through this, never through the
// pointer: the hook library behind it may be released at any moment.
void SetActiveCaptureNotSuspended(bool on);

// Open modal dialogs and popup menus of the program. While any is open the
// main window refuses gesture messages, tray clicks and the end of session.
int ModalDialogCount();
void EnterModalDialog();
void LeaveModalDialog();
class ZModalDialogScope {
 public:
  ZModalDialogScope() { EnterModalDialog(); }
  ~ZModalDialogScope() { LeaveModalDialog(); }
  ZModalDialogScope(const ZModalDialogScope&) = delete;
  ZModalDialogScope& operator=(const ZModalDialogScope&) = delete;
};
