// A window element: a rectangle of a host window that paints itself into the
// host's paint buffer and takes the mouse events the host forwards to it.
// The main window's buttons, labels and action views are elements; only an
// open action view has a child window of its own.
#pragma once
#include <windows.h>

class ZElementHost;

class ZWindowElement {
 public:
  // The rectangle is in the host's client coordinates, right and bottom
  // exclusive: a point is inside when left <= x < right and top <= y < bottom.
  ZWindowElement(ZElementHost& owner, const RECT& rect);
  virtual ~ZWindowElement();
  ZWindowElement(const ZWindowElement&) = delete;
  ZWindowElement& operator=(const ZWindowElement&) = delete;

  // In slot order. The mouse operations take the key-state flags of the
  // mouse message and the point in client coordinates.
  virtual void paint(HDC dc, const RECT& update) = 0;
  virtual bool mouseMove(UINT flags, POINT point);
  virtual bool mouseLeave();
  virtual bool buttonDown(UINT flags, POINT point);
  virtual bool buttonUp(UINT flags, POINT point);
  virtual bool contextRequest(UINT flags, POINT point);

  const RECT& rect() const { return rect_; }
  // Moves or resizes the element; the caller repaints what it uncovers.
  void setRect(const RECT& rect) { rect_ = rect; }
  bool contains(POINT point) const;
  bool meets(const RECT& area) const;

  ZElementHost& owner() const { return owner_; }
  HWND window() const;
  // Asks the host to repaint the element's rectangle, without erasing.
  void invalidate() const;

 private:
  ZElementHost& owner_;
  RECT rect_;
};
