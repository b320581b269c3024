// A small program for the launch tests: writes its current folder and its
// parameters to the file named by its first parameter, then waits for input
// in a message loop for a second.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR parameters, int) {
  std::string report = parameters;
  if (!report.empty() && report.front() == '"') report = report.substr(1, report.find('"', 1) - 1);
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  const std::string text = std::string(folder) + "\n" + parameters;
  HANDLE file = CreateFileA(report.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  }
  HWND window = CreateWindowA("STATIC", "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, 1000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
  return 0;
}
