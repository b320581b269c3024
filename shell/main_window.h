// The main window of class "ZavotraClass": placed from the settings, hidden
// rather than closed, and on destruction it keeps the registry entries and
// the profile up to date before the message loop ends.
#pragma once
#include <windows.h>

class ZMainWindow {
 public:
  static constexpr int kWidth = 573;
  static constexpr int kHeight = 511;
  static const char kClassName[];

  ZMainWindow() = default;
  ~ZMainWindow();
  ZMainWindow(const ZMainWindow&) = delete;
  ZMainWindow& operator=(const ZMainWindow&) = delete;

  // Creates the window at the settings' position (centred when that is off
  // screen); shows it on a first start or when not starting hidden.
  bool create();
  HWND handle() const { return window_; }
  void destroy();

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void onCreate();
  void onDestroy();
  void onSysCommand(WPARAM command, LPARAM lParam);
  bool onCommand(WORD command);
  void confirmExit();
  void paint();
  void bringForward();

  HWND window_ = nullptr;
  bool shutDown_ = false;  // the destruction work runs once, however WM_DESTROY arrives
};

// The position at which the main window opens for (x, y) on this machine's screens.
POINT MainWindowPosition(int x, int y);
