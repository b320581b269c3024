// ZavotraShow.exe: development tool of tools/run.sh. Waits up to 30 seconds
// for a running Zavotra's main window and then clicks its tray icon, which
// shows the window as it does for the user. Exit code 0 when a window was
// found, 1 otherwise.
#include <windows.h>

#include "resources/zavotra_ids.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HWND window = nullptr;
  for (int waited = 0; !window && waited < 30000; waited += 100) {
    window = FindWindowA("ZavotraClass", nullptr);
    if (!window) Sleep(100);
  }
  if (!window) return 1;
  SendMessageA(window, WM_TRAY_NOTIFY, ID_TRAY_ICON, WM_LBUTTONDOWN);
  return 0;
}
