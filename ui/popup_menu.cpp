#include "ui/popup_menu.h"

#include "common/app_context.h"

UINT TrackMenu(HMENU menu, HWND owner, POINT screen) {
  ZModalDialogScope modal;
  // The menu closes on a click elsewhere only when its owner is in front.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, owner, nullptr));
  PostMessageA(owner, WM_NULL, 0, 0);
  return chosen;
}

std::string MenuText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += '&';
    out += c;
  }
  return out;
}
