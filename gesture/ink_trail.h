// The trail drawn over the whole screen while the user draws a gesture, and
// the strokes collected for the recognizer. Segments are drawn with an
// exclusive-or pen, so drawing them a second time leaves the screen as it was.
#pragma once
#include <windows.h>

#include "gesture/gesture.h"

constexpr int kInkPenWidth = 3;
constexpr COLORREF kInkColour = RGB(0xBA, 0xBD, 0x2D);  // 0x2DBDBA; on white it shows as RGB(0x45, 0x42, 0xD2)

class InkTrail {
 public:
  InkTrail() = default;
  ~InkTrail();  // a trail still on the screen is wiped
  InkTrail(const InkTrail&) = delete;
  InkTrail& operator=(const InkTrail&) = delete;

  // Opens a new stroke at the point; nothing is drawn yet.
  void beginStroke(Point at);
  // Draws the segment from the last point to this one and keeps the point.
  void addPoint(Point at);
  // Draws every segment again, which removes the trail, and forgets the strokes.
  void eraseAndClear();

  const Gesture& strokes() const { return strokes_; }
  bool isEmpty() const { return strokes_.empty(); }

 private:
  Gesture strokes_;
};
