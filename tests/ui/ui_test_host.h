// A real top-level window hosting elements the way the main window does: its
// mouse messages go to the host's dispatch, its painting to the elements, and
// the commands the elements send are recorded in order.
#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "ui/element_host.h"

class ZTestHost : public ZElementHost {
 public:
  explicit ZTestHost(int x = 40, int y = 40, int width = 300, int height = 200) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &ZTestHost::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZavotraUiTestHost";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                                  width, height, nullptr, nullptr, wc.hInstance, this);
    setWindow(window);
    Pump();
  }
  ~ZTestHost() override {
    destroyElements();
    if (window()) DestroyWindow(window());
  }

  // (command, high word) of every WM_COMMAND received.
  std::vector<std::pair<WORD, WORD>> commands;
  std::vector<bool> dragChanges;

  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  void send(UINT message, POINT at, WPARAM keys = 0) { SendMessageA(window(), message, keys, MAKELPARAM(at.x, at.y)); }
  void click(POINT at) {
    send(WM_MOUSEMOVE, at);
    send(WM_LBUTTONDOWN, at, MK_LBUTTON);
    send(WM_LBUTTONUP, at);
  }
  // Marks everything painted, so that the next check sees only new invalidations.
  void validate() {
    Pump();
    ValidateRect(window(), nullptr);
  }
  bool needsPaint(POINT at) const {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(window(), region, FALSE);
    const bool inside = PtInRegion(region, at.x, at.y) != FALSE;
    DeleteObject(region);
    return inside;
  }
  bool needsAnyPaint() const {
    RECT r;
    return GetUpdateRect(window(), &r, FALSE) != FALSE;
  }

 protected:
  void draggingChanged(bool dragging) override { dragChanges.push_back(dragging); }

 private:
  static LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE)
      SetWindowLongPtrA(w, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<ZTestHost*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (!self) return DefWindowProcA(w, m, wp, lp);
    const POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (m) {
      case WM_MOUSEMOVE: self->mouseMove(static_cast<UINT>(wp), at); return 0;
      case WM_LBUTTONDOWN: self->buttonDown(static_cast<UINT>(wp), at); return 0;
      case WM_LBUTTONUP: self->buttonUp(static_cast<UINT>(wp), at); return 0;
      case WM_COMMAND: self->commands.emplace_back(LOWORD(wp), HIWORD(wp)); return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        self->paintElements(dc, ps.rcPaint);
        EndPaint(w, &ps);
        return 0;
      }
    }
    return DefWindowProcA(w, m, wp, lp);
  }
};
