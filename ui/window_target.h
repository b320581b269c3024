// Pointing at an application's window: the target icon of a dialog is
// pressed with the left button and dragged over the screen; the top-level
// window under the pointer is framed (an inverted border 6 pixels wide) and
// reported, and releasing the button ends it with that window chosen. The
// program's own windows, the desktop and menus are passed over: no rule for
// them could ever be used.
#pragma once
#include <windows.h>

#include <functional>

class ZWindowTarget {
 public:
  // Told each time another window is framed.
  using Listener = std::function<void(HWND window)>;

  // `dialog` gets the mouse messages (the icon is a static control, which
  // lets them through to it); `iconId` is the target icon's control.
  ZWindowTarget(HWND dialog, int iconId, Listener listener);
  ~ZWindowTarget();
  ZWindowTarget(const ZWindowTarget&) = delete;
  ZWindowTarget& operator=(const ZWindowTarget&) = delete;

  // The dialog's WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP and
  // WM_CAPTURECHANGED, with the message's client point. Each returns true
  // when the message was the target's.
  bool onButtonDown(POINT clientPoint);
  bool onMouseMove(POINT clientPoint);
  bool onButtonUp();
  void onCaptureChanged();

  bool capturing() const { return previousCursor_ != nullptr; }
  // The window framed last in the latest capture; stays after it ended.
  HWND chosen() const { return chosen_; }

 private:
  void end();

  HWND dialog_;
  int iconId_;
  Listener listener_;
  HCURSOR previousCursor_ = nullptr;  // set while capturing
  HWND highlighted_ = nullptr;        // framed on the screen right now
  HWND chosen_ = nullptr;
  bool ending_ = false;
};

// Toggles the inverted 6-pixel frame along the edges of the window's
// rectangle (drawn a second time, it is gone).
void InvertWindowFrame(HWND window);
