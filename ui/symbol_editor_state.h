// What the symbol editor's frame and its two views work on while the dialog
// is open: a copy of the caller's symbol (handed back only when it was
// saved), the polyline and the icon being painted.
#pragma once
#include <windows.h>

#include <string>

#include "gesture/icon_canvas.h"
#include "gesture/symbol.h"
#include "gesture/symbol_sketch.h"

struct ZSymbolEditorState {
  Symbol symbol;
  // What the symbol was when the editor opened: a renamed symbol gets a new
  // file, whatever happened to a save that failed in between.
  std::string openedName;
  std::string openedPath;
  PolylineSketch sketch;
  IconCanvas icon;
  bool startsBlank = false;   // a new symbol: the icon is made from the polyline at first
  bool iconMadeOnce = false;  // ...only the first time the second step shows
  bool advanced = false;      // identifier and sort name can be edited
};

// Confines the pointer to the part of `canvas` between its client pixels
// `near` and `far` (inclusive) on both axes.
inline void ConfinePointer(HWND canvas, int nearPixel, int farPixel) {
  POINT corners[2] = {{nearPixel, nearPixel}, {farPixel + 1, farPixel + 1}};
  MapWindowPoints(canvas, nullptr, corners, 2);
  const RECT area = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  ClipCursor(&area);
}

inline void FreePointer() { ClipCursor(nullptr); }
