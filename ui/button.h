// The button base of the window elements: a command sent to the host window
// when the left button is pressed and released over it, and the states the
// kinds paint (pointer inside, pressed). It paints nothing itself.
#pragma once
#include "ui/window_element.h"

class ZButton : public ZWindowElement {
 public:
  // The rectangle starts empty at `topLeft`; each kind grows it to its content.
  ZButton(ZElementHost& owner, int command, POINT topLeft);

  bool mouseMove(UINT flags, POINT point) override;
  bool mouseLeave() override;
  bool buttonDown(UINT flags, POINT point) override;
  // Sends WM_COMMAND (command, code 0) when released inside; returns whether
  // the host answered 1.
  bool buttonUp(UINT flags, POINT point) override;

  int command() const { return command_; }
  bool enabled() const { return enabled_ != 0; }
  bool inside() const { return inside_ != 0; }
  bool pressed() const { return pressed_ != 0; }

 protected:
  // Sends the host WM_COMMAND with the command and `code` as high word.
  LRESULT sendCommand(WORD code) const;
  void growTo(int width, int height);

 private:
  int command_;
  unsigned char enabled_ = 1;
  unsigned char inside_ = 0;
  unsigned char pressed_ = 0;
};
