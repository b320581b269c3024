#include "ui/element_host.h"

ZElementHost::~ZElementHost() { destroyElements(); }

void ZElementHost::destroyElements() {
  hover_ = nullptr;
  capture_ = nullptr;
  // Moved out first: an element's destructor calls back into forget().
  std::vector<std::unique_ptr<ZWindowElement>> elements = std::move(elements_);
  elements.clear();
}

void ZElementHost::forget(const ZWindowElement* element) {
  if (hover_ == element) hover_ = nullptr;
  if (capture_ == element) capture_ = nullptr;
}

ZWindowElement* ZElementHost::elementAt(POINT point) const {
  for (const auto& element : elements_)
    if (element->contains(point)) return element.get();
  return nullptr;
}

bool ZElementHost::pointerOverHostItself(POINT point) const {
  return window_ && ChildWindowFromPointEx(window_, point, CWP_SKIPINVISIBLE) == window_;
}

void ZElementHost::setDragging(bool dragging) {
  if (dragging_ == dragging) return;
  dragging_ = dragging;
  draggingChanged(dragging);
}

void ZElementHost::dragTo(POINT clientPoint) {
  POINT screen = clientPoint;
  ClientToScreen(window_, &screen);
  const int dx = screen.x - lastPointer_.x;
  const int dy = screen.y - lastPointer_.y;
  lastPointer_ = screen;
  if (dx == 0 && dy == 0) return;
  RECT place;
  GetWindowRect(window_, &place);
  SetWindowPos(window_, nullptr, place.left + dx, place.top + dy, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ZElementHost::mouseMove(UINT flags, POINT point) {
  // Held while the pointer is over the window itself, so that leaving it is
  // seen; given up over a child (an open view's list) and outside.
  if (dragging_ || capture_ || pointerOverHostItself(point)) {
    if (GetCapture() != window_) SetCapture(window_);
  } else {
    if (hover_) hover_->mouseLeave();
    hover_ = nullptr;
    if (GetCapture() == window_) ReleaseCapture();
  }

  if (dragging_) {
    dragTo(point);
    return;
  }
  if (capture_) {
    capture_->mouseMove(flags, point);
    return;
  }
  ZWindowElement* found = elementAt(point);
  if (hover_ && hover_ != found) hover_->mouseLeave();
  hover_ = found;
  if (found) found->mouseMove(flags, point);
}

ZWindowElement* ZElementHost::pressTarget(POINT point) {
  if (capture_) return capture_;
  ZWindowElement* found = elementAt(point);
  if (found) hover_ = found;
  return found;
}

void ZElementHost::buttonDown(UINT flags, POINT point) {
  if (window_) SetForegroundWindow(window_);
  if (ZWindowElement* target = pressTarget(point)) {
    target->buttonDown(flags, point);
    return;
  }
  lastPointer_ = point;
  ClientToScreen(window_, &lastPointer_);
  setDragging(true);
  SetCapture(window_);
}

void ZElementHost::buttonUp(UINT flags, POINT point) {
  // However the press ended, a drag ends with it: the button is up.
  setDragging(false);
  if (ZWindowElement* target = pressTarget(point)) target->buttonUp(flags, point);
}

void ZElementHost::leaveHover() {
  if (hover_) hover_->mouseLeave();
  hover_ = nullptr;
}

void ZElementHost::paintElements(HDC dc, const RECT& update) const {
  for (const auto& element : elements_)
    if (element->meets(update)) element->paint(dc, update);
}
