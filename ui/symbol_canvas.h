// The drawing surfaces of the symbol editor: a plain child window class
// ("ZavotraSymbolCanvas", named in the dialog resources) that paints through
// a memory bitmap, so the polyline and the grid never flicker, and hands its
// mouse messages on. What it shows and what the mouse does is the job of the
// view attached to it.
#pragma once
#include <windows.h>

class ZSymbolCanvasClient {
 public:
  virtual ~ZSymbolCanvasClient() = default;
  // The whole client area, into a memory device context.
  virtual void paintCanvas(HWND canvas, HDC dc, const RECT& client) = 0;
  // WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE
  // at a client point; WM_CAPTURECHANGED when the canvas lost the mouse
  // capture (a button held down will not be seen coming up).
  virtual void canvasMouse(HWND canvas, UINT message, POINT at) = 0;
};

// Registers the window class once per process; dialogs that hold canvases
// call it before they are created.
bool RegisterSymbolCanvasClass();

// Lets `client` paint and take the mouse of the canvas control `id` of
// `dialog`, and gives the canvas a client area of width by height pixels.
// Null detaches it.
void AttachSymbolCanvas(HWND dialog, int id, ZSymbolCanvasClient* client, int width, int height);
