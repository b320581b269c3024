// Another program's window for the dialogs to point at: a top-level window
// of the class and caption given on the command line, at the place given,
// holding an edit control. Ends when its window is closed.
//   target_application.exe <class> <x> <y> <width> <height> <caption...>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  char className[256] = {};
  int x = 0, y = 0, width = 0, height = 0, used = 0;
  if (sscanf(commandLine, "%255s %d %d %d %d %n", className, &x, &y, &width, &height, &used) < 5) return 2;
  const std::string caption = commandLine + used;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = className;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  if (!RegisterClassA(&wc)) return 3;
  HWND window = CreateWindowExA(WS_EX_TOPMOST, className, caption.c_str(), WS_POPUP | WS_BORDER | WS_VISIBLE, x, y,
                                width, height, nullptr, nullptr, instance, nullptr);
  if (!window) return 4;
  CreateWindowExA(0, "EDIT", "child control", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, width - 40, height - 40,
                  window, nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
