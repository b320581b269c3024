// What the dialog procedures of ui/ share: the state a dialog was opened
// with, and the point a mouse message carries.
#pragma once
#include <windows.h>

// The state handed to DialogBoxParam as its parameter, kept with the dialog
// from WM_INITDIALOG on; null for the messages before it.
template <typename State>
State* DialogStateOf(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The client point of a mouse message, its coordinates signed.
inline POINT MessagePoint(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
