#include "gesture/ink_trail.h"

namespace {

// The device context of the whole screen, released when done.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// One segment with its own pen, as the trail needs it: the previous pen and
// raster operation are back in the context, and the pen is gone, afterwards.
void DrawSegment(HDC dc, Point from, Point to) {
  HPEN pen = CreatePen(PS_SOLID, kInkPenWidth, kInkColour);
  if (!pen) return;
  HGDIOBJ previousPen = SelectObject(dc, pen);
  const int previousRop = SetROP2(dc, R2_XORPEN);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
  SetROP2(dc, previousRop);
  SelectObject(dc, previousPen);
  DeleteObject(pen);
}

}  // namespace

InkTrail::~InkTrail() {
  if (!isEmpty()) eraseAndClear();
}

void InkTrail::beginStroke(Point at) { strokes_.push_back(Stroke{at}); }

void InkTrail::addPoint(Point at) {
  // A point without an open stroke (messages out of order) opens one rather
  // than joining a segment to nothing.
  if (strokes_.empty()) {
    beginStroke(at);
    return;
  }
  Stroke& stroke = strokes_.back();
  ScreenDC screen;
  if (screen.get()) DrawSegment(screen.get(), stroke.back(), at);
  stroke.push_back(at);
}

void InkTrail::eraseAndClear() {
  ScreenDC screen;
  if (screen.get()) {
    for (const Stroke& stroke : strokes_)
      for (size_t i = 1; i < stroke.size(); ++i) DrawSegment(screen.get(), stroke[i - 1], stroke[i]);
  }
  strokes_.clear();
}
