#include "shell/splash_screen.h"

#include <process.h>

#include <atomic>

#include "common/dialog_helpers.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "shell/scoped_handle.h"

namespace {
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMilliseconds = 2500;
constexpr DWORD kPollMilliseconds = 10;

// Reported by the splash thread: its window, or a failure.
std::atomic<HWND> g_splashWindow{nullptr};
std::atomic<bool> g_splashFailed{false};

HBITMAP SplashBitmap() {
  static ZGdiObject bitmap(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_SPLASH)));
  return static_cast<HBITMAP>(bitmap.get());
}

void SizeAndCentre(HWND dialog) {
  BITMAP info = {};
  if (!SplashBitmap() || !GetObjectA(SplashBitmap(), sizeof info, &info)) return;
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOACTIVATE);
  CenterWindow(dialog, nullptr);
}

void Paint(HWND dialog) {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(dialog, &paint);
  HDC source = CreateCompatibleDC(target);
  if (source) {
    HGDIOBJ previous = SelectObject(source, SplashBitmap());
    RECT client;
    GetClientRect(dialog, &client);
    BitBlt(target, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  EndPaint(dialog, &paint);
}

INT_PTR CALLBACK SplashProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SizeAndCentre(dialog);
      ShowWindow(dialog, SW_SHOWNOACTIVATE);
      SetTimer(dialog, kCloseTimer, kShowMilliseconds, nullptr);
      return FALSE;  // no focus: the splash must not activate itself
    case WM_PAINT:
      Paint(dialog);
      return TRUE;
    case WM_ERASEBKGND:
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_TIMER:
      if (wParam == kCloseTimer) DestroyWindow(dialog);
      return TRUE;
    case WM_COMMAND:
      // Start-up reports its progress (identifier 2, also Escape); the splash
      // stays for its full time all the same.
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kCloseTimer);
      PostQuitMessage(0);
      return TRUE;
  }
  return FALSE;
}

unsigned __stdcall SplashThread(void*) {
  HWND dialog = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_SPLASH), nullptr, SplashProc, 0);
  if (!dialog) {
    g_splashFailed = true;
    return 1;
  }
  g_splashWindow = dialog;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  g_splashWindow = nullptr;
  return 0;
}
}  // namespace

HWND ShowSplashScreen() {
  g_splashFailed = false;
  ZFileHandle thread(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, SplashThread, nullptr, 0, nullptr)));
  if (!thread) return nullptr;
  // The thread ends by itself; its handle is not needed beyond this wait.
  while (!g_splashWindow.load() && !g_splashFailed.load()) {
    if (WaitForSingleObject(thread.get(), kPollMilliseconds) == WAIT_OBJECT_0) break;
  }
  return g_splashWindow.load();
}
