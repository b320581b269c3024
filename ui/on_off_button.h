// A push button with two sets of images, one for on and one for off (the
// sound button). A click flips the state; every change of state is told to
// the host as WM_COMMAND with the high word 2 (now on) or 3 (now off).
#pragma once
#include "ui/push_button.h"

class ZOnOffButton : public ZPushButton {
 public:
  static constexpr WORD kTurnedOn = 2;
  static constexpr WORD kTurnedOff = 3;

  ZOnOffButton(ZElementHost& owner, int command, POINT topLeft, const ZButtonImages& on,
               const ZButtonImages& off, bool state);

  bool state() const { return state_ != 0; }
  // Nothing happens when the state is unchanged.
  void setState(bool on);
  bool buttonUp(UINT flags, POINT point) override;

 protected:
  const ZButtonImages& currentImages() const override;

 private:
  ZButtonImages off_;
  unsigned char state_;
};
