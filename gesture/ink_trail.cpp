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

// The trail's pen, selected with the exclusive-or mix for as long as it
// lives: the previous pen and mix are back, and the pen is gone, afterwards.
// Erasing draws every segment with one of these rather than a pen each.
class ZTrailPen {
 public:
  explicit ZTrailPen(HDC dc) : dc_(dc), pen_(CreatePen(PS_SOLID, kInkPenWidth, kInkColour)) {
    if (!pen_) return;
    previousPen_ = SelectObject(dc_, pen_);
    previousRop_ = SetROP2(dc_, R2_XORPEN);
  }
  ~ZTrailPen() {
    if (!pen_) return;
    SetROP2(dc_, previousRop_);
    SelectObject(dc_, previousPen_);
    DeleteObject(pen_);
  }
  ZTrailPen(const ZTrailPen&) = delete;
  ZTrailPen& operator=(const ZTrailPen&) = delete;

  // Each segment on its own, as it was drawn: a polyline would mix the
  // joints once where drawing mixed them twice.
  void drawSegment(Point from, Point to) {
    if (!pen_) return;
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
  }

 private:
  HDC dc_;
  HPEN pen_;
  HGDIOBJ previousPen_ = nullptr;
  int previousRop_ = 0;
};

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
  if (screen.get()) ZTrailPen(screen.get()).drawSegment(stroke.back(), at);
  stroke.push_back(at);
}

void InkTrail::eraseAndClear() {
  ScreenDC screen;
  if (screen.get()) {
    ZTrailPen pen(screen.get());
    for (const Stroke& stroke : strokes_)
      for (size_t i = 1; i < stroke.size(); ++i) pen.drawSegment(stroke[i - 1], stroke[i]);
  }
  strokes_.clear();
}
