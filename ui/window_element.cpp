#include "ui/window_element.h"

#include "ui/element_host.h"

ZWindowElement::ZWindowElement(ZElementHost& owner, const RECT& rect) : owner_(owner), rect_(rect) {}

ZWindowElement::~ZWindowElement() { owner_.forget(this); }

bool ZWindowElement::mouseMove(UINT, POINT) { return true; }
bool ZWindowElement::mouseLeave() { return true; }
bool ZWindowElement::buttonDown(UINT, POINT) { return true; }
bool ZWindowElement::buttonUp(UINT, POINT) { return true; }
bool ZWindowElement::contextRequest(UINT, POINT) { return true; }

bool ZWindowElement::contains(POINT point) const {
  return rect_.left <= point.x && point.x < rect_.right && rect_.top <= point.y && point.y < rect_.bottom;
}

bool ZWindowElement::meets(const RECT& area) const {
  return rect_.left < area.right && area.left < rect_.right && rect_.top < area.bottom && area.top < rect_.bottom;
}

HWND ZWindowElement::window() const { return owner_.window(); }

void ZWindowElement::invalidate() const {
  if (HWND host = window()) InvalidateRect(host, &rect_, FALSE);
}
