// The second step of the symbol editor (dialog 115): the shape's 32 by 32
// icon painted cell by cell in the painting control (1069), the left button
// in dark blue (colour 4), the right one transparent, with its preview
// (1073), "Vector -> Bitmap" (1138), "Clear" (1098) and, in the advanced
// mode, the symbol's identifier (1070) and sort name (1071).
#pragma once
#include <windows.h>

#include "gesture/symbol_icon.h"
#include "ui/symbol_canvas.h"
#include "ui/symbol_editor_state.h"

class ZSymbolBitmapView : public ZSymbolCanvasClient {
 public:
  static constexpr int kCellPixels = 7;
  static constexpr int kSidePixels = kCellPixels * SymbolIcon::kSide;

  explicit ZSymbolBitmapView(ZSymbolEditorState& state) : state_(state) {}
  ~ZSymbolBitmapView() override;

  // The view's dialog as a child of `frame`; null when it cannot be made.
  HWND create(HWND frame);
  // "Vector -> Bitmap": the icon made afresh from the polyline.
  void drawPolyline();

  void paintCanvas(HWND canvas, HDC dc, const RECT& client) override;
  void canvasMouse(HWND canvas, UINT message, POINT at) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void initialise(HWND dialog);
  void onCommand(WORD id, WORD code);
  void paintPainting(HDC dc, const RECT& client) const;
  void paintPreview(HDC dc, const RECT& client);
  void paintAt(HWND canvas, POINT at);
  void showCell(POINT at);
  void iconChanged();

  ZSymbolEditorState& state_;
  HWND dialog_ = nullptr;
  SymbolIcon preview_;  // rebuilt when a button comes up
  int held_ = 0;        // the colour of the button held down, -1 when none
  bool holding_ = false;
};
