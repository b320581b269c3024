#include "installer/install_window.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "common/gdi_objects.h"
#include "common/path_text.h"
#include "common/string_resource.h"
#include "installer/install_ids.h"
#include "installer/install_wizard.h"
#include "installer/installer_session.h"
#include "installer/running_program.h"

namespace {

constexpr char kWindowClass[] = "ZavotraInstall";
constexpr COLORREF kBackground = RGB(0x33, 0x66, 0x99);

ZInstallerSession* g_session = nullptr;

void PaintTitle(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  {
    ZFont font(CreateFontA(-48, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial"));
    ZSelection selection(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::string title = LoadAnsiString(IDS_INSTALL_TITLE);
    TextOutA(dc, 32, 24, title.c_str(), static_cast<int>(title.size()));
  }
  EndPaint(window, &paint);
}

void StartProgramAndEnd(HWND window) {
  std::string folder = g_session->installFolder;
  AppendBackslash(folder);
  StartInstalledProgram(folder);
  DestroyWindow(window);
}

LRESULT CALLBACK InstallerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      g_session->mainWindow = window;
      g_session->sheet = OpenInstallWizard(*g_session);
      return 0;
    case WM_PAINT:
      PaintTitle(window);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_START_PROGRAM) StartProgramAndEnd(window);
      return 0;
    case WM_SYSCOMMAND:
      // Neither the system menu nor Alt+F4 may end an installation.
      return 0;
    case WM_DESTROY:
      g_session->sheet = nullptr;  // destroyed with its owner
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterInstallerClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = InstallerWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_INSTALLER));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(kBackground);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

// After Finish or Cancel the sheet has no current page: it is destroyed,
// and the installer ends with it.
void CloseFinishedWizard(ZInstallerSession& session) {
  if (!session.sheet || PropSheet_GetCurrentPageHwnd(session.sheet)) return;
  DestroyWindow(session.sheet);
  session.sheet = nullptr;
  DestroyWindow(session.mainWindow);
}

void RunMessageLoop(HINSTANCE instance, ZInstallerSession& session) {
  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_INSTALL_ACCELERATORS));
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (accelerators && session.mainWindow && TranslateAcceleratorA(session.mainWindow, accelerators, &message))
      continue;
    if (!session.sheet || !PropSheet_IsDialogMessage(session.sheet, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    CloseFinishedWizard(session);
  }
  if (accelerators) DestroyAcceleratorTable(accelerators);
}

}  // namespace

bool RunInstallerWindow(HINSTANCE instance, ZInstallerSession& session) {
  g_session = &session;
  if (!RegisterInstallerClass(instance)) return false;
  HWND window = CreateWindowExA(0, kWindowClass, LoadAnsiString(IDS_INSTALL_TITLE).c_str(), WS_POPUP, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                instance, nullptr);
  if (!window) return false;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  if (session.sheet) SetForegroundWindow(session.sheet);
  RunMessageLoop(instance, session);
  return true;
}
