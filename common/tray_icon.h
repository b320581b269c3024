// The program's icon in the notification area. Its icon and tip are the
// capture status ("Zavotra - Use CTRL key to disable", "Zavotra (disabled)")
// and, for two seconds after a gesture, what the gesture did. One per
// process, used on the user-interface thread.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "common/gdi_objects.h"
#include "resources/zavotra_ids.h"

class ZTrayIcon {
 public:
  static constexpr UINT kIconId = ID_TRAY_ICON;
  // What the tray keeps of a tip: 63 characters and the terminating zero.
  static constexpr size_t kTipLength = 63;

  ZTrayIcon();
  ~ZTrayIcon();
  ZTrayIcon(const ZTrayIcon&) = delete;
  ZTrayIcon& operator=(const ZTrayIcon&) = delete;

  // NIM_ADD for `window`, which receives `callbackMessage` with the mouse
  // message in the long parameter. False when the shell refused it.
  bool add(HWND window, UINT callbackMessage, int iconId, const std::string& tip);
  // The icon resource and tip to show. Kept when the icon is not in the tray
  // (yet), and shown at once (NIM_MODIFY) when it is. False when the shell
  // refused the change.
  bool show(int iconId, const std::string& tip);
  // NIM_DELETE; the icon handle is kept until replaced or destroyed.
  void remove();

  bool added() const { return added_; }
  int iconId() const { return iconId_; }
  std::string tip() const { return data_.szTip; }
  HWND window() const { return data_.hWnd; }

 private:
  void prepare(int iconId, const std::string& tip);

  NOTIFYICONDATAA data_;
  ZIcon icon_;
  int iconId_ = 0;
  bool added_ = false;
};

// The process-wide tray icon.
ZTrayIcon& TrayIcon();
