// The first step of the symbol editor (dialog 114): the symbol's stroke drawn
// as a polyline on a grid of 7-pixel cells in the drawing control (1097),
// with "Clear" (1098).
#pragma once
#include <windows.h>

#include <functional>

#include "gesture/point.h"
#include "ui/symbol_canvas.h"
#include "ui/symbol_editor_state.h"

class ZSymbolVectorView : public ZSymbolCanvasClient {
 public:
  // `closedChanged` runs when the polyline was closed or cleared, so the
  // frame can enable or disable "&Next >>".
  ZSymbolVectorView(ZSymbolEditorState& state, std::function<void()> closedChanged)
      : state_(state), closedChanged_(std::move(closedChanged)) {}
  ~ZSymbolVectorView() override;

  // The view's dialog as a child of `frame`; null when it cannot be made.
  HWND create(HWND frame);

  void paintCanvas(HWND canvas, HDC dc, const RECT& client) override;
  void canvasMouse(HWND canvas, UINT message, POINT at) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void pressed(HWND canvas, Point cell);
  void released(HWND canvas, const Point* cell);
  void clear();

  ZSymbolEditorState& state_;
  std::function<void()> closedChanged_;
  HWND dialog_ = nullptr;
  Point pointer_{};       // the cell the rubber band runs to
  bool pointerKnown_ = false;
};
