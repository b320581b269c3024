#include "ui/symbol_canvas.h"

#include "common/app_context.h"
#include "common/gdi_objects.h"
#include "ui/dialog_state.h"

namespace {
const char kClassName[] = "ZavotraSymbolCanvas";

ZSymbolCanvasClient* ClientOf(HWND canvas) {
  return reinterpret_cast<ZSymbolCanvasClient*>(GetWindowLongPtrA(canvas, GWLP_USERDATA));
}

void Paint(HWND canvas) {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(canvas, &paint);
  RECT client;
  GetClientRect(canvas, &client);
  ZMemoryDC memory(screen);
  ZBitmap picture(CreateCompatibleBitmap(screen, client.right, client.bottom));
  if (memory && picture) {
    ZSelection selected(memory.get(), picture.get());
    FillRect(memory.get(), &client, GetSysColorBrush(COLOR_WINDOW));
    if (ZSymbolCanvasClient* owner = ClientOf(canvas)) owner->paintCanvas(canvas, memory.get(), client);
    BitBlt(screen, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  }
  EndPaint(canvas, &paint);
}

LRESULT CALLBACK CanvasProc(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      Paint(canvas);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
      if (ZSymbolCanvasClient* owner = ClientOf(canvas)) owner->canvasMouse(canvas, message, MessagePoint(lParam));
      return 0;
    default:
      return DefWindowProcA(canvas, message, wParam, lParam);
  }
}
}  // namespace

bool RegisterSymbolCanvasClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(AppInstance(), kClassName, &existing)) return true;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CanvasProc;
  windowClass.hInstance = AppInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

void AttachSymbolCanvas(HWND dialog, int id, ZSymbolCanvasClient* client, int width, int height) {
  HWND canvas = GetDlgItem(dialog, id);
  if (!canvas) return;
  SetWindowLongPtrA(canvas, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
  if (!client) return;
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(canvas, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(canvas, GWL_EXSTYLE)));
  SetWindowPos(canvas, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(canvas, nullptr, FALSE);
}
