#include "ui/on_off_button.h"

ZOnOffButton::ZOnOffButton(ZElementHost& owner, int command, POINT topLeft, const ZButtonImages& on,
                           const ZButtonImages& off, bool state)
    : ZPushButton(owner, command, topLeft, on), off_(off), state_(state ? 1 : 0) {}

const ZButtonImages& ZOnOffButton::currentImages() const {
  return state_ ? ZPushButton::currentImages() : off_;
}

void ZOnOffButton::setState(bool on) {
  const unsigned char wanted = on ? 1 : 0;
  if (wanted == state_) return;
  state_ = wanted;
  invalidate();
  sendCommand(on ? kTurnedOn : kTurnedOff);
}

bool ZOnOffButton::buttonUp(UINT flags, POINT point) {
  if (enabled() && inside()) setState(!state());
  return ZPushButton::buttonUp(flags, point);
}
