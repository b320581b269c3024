// A button showing one line of text (the labels of the action views): flat
// until the pointer is over it, then framed raised, and sunken while pressed.
#pragma once
#include <string>

#include "common/gdi_objects.h"
#include "ui/button.h"

class ZTextButton : public ZButton {
 public:
  // Takes `font` over (deleted with the button); without one the text is
  // drawn in the system's default GUI font.
  ZTextButton(ZElementHost& owner, int command, POINT topLeft, const std::string& text, HFONT font = nullptr);

  void paint(HDC dc, const RECT& update) override;

  const std::string& text() const { return text_; }
  // Repaints the old and the new rectangle.
  void setText(const std::string& text);
  // Keeps the size; the caller repaints the old place.
  void moveTo(POINT topLeft);
  HFONT font() const;

 private:
  void measure();
  void drawFrame(HDC dc) const;
  RECT textRect() const;

  std::string text_;
  ZFont ownFont_;
};
