// ZavotraClose.exe: ends a running Zavotra the way the installer does, by
// sending WM_DESTROY to its main window, so that it saves its profile and
// registry entries. Exit code 0 when a window was found, 1 otherwise.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HWND window = FindWindowA("ZavotraClass", nullptr);
  if (!window) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  SendMessageA(window, WM_DESTROY, 0, 0);
  if (process) {
    WaitForSingleObject(process, 30000);
    CloseHandle(process);
  }
  return 0;
}
