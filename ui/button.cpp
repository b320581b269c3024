#include "ui/button.h"

#include "ui/element_host.h"

ZButton::ZButton(ZElementHost& owner, int command, POINT topLeft)
    : ZWindowElement(owner, RECT{topLeft.x, topLeft.y, topLeft.x, topLeft.y}), command_(command) {}

void ZButton::growTo(int width, int height) {
  RECT r = rect();
  r.right = r.left + width;
  r.bottom = r.top + height;
  setRect(r);
}

LRESULT ZButton::sendCommand(WORD code) const {
  HWND host = window();
  if (!host) return 0;
  return SendMessageA(host, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command_), code), 0);
}

bool ZButton::mouseMove(UINT, POINT point) {
  if (!enabled_) return true;
  const unsigned char now = contains(point) ? 1 : 0;
  if (now != inside_) {
    inside_ = now;
    invalidate();
  }
  return true;
}

bool ZButton::mouseLeave() {
  if (!enabled_) return true;
  inside_ = 0;
  invalidate();
  return true;
}

bool ZButton::buttonDown(UINT, POINT) {
  inside_ = 1;
  if (!enabled_) return true;
  pressed_ = 1;
  owner().setCaptureElement(this);
  invalidate();
  return true;
}

bool ZButton::buttonUp(UINT, POINT point) {
  if (!enabled_) return false;
  pressed_ = 0;
  inside_ = contains(point) ? 1 : 0;
  owner().setCaptureElement(nullptr);
  invalidate();
  if (!inside_) return false;
  inside_ = 0;
  return sendCommand(0) == 1;
}
