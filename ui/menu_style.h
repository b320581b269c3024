// The exchangeable look of the program's popup menus: how opaque a menu
// window is, its inner margins, the text colour of an item, the frame and
// the background of a highlighted or disabled item. Every menu owns its own
// style object; a submenu gets a clone of its parent's.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/menu_layout.h"

class ZMenuStyle {
 public:
  virtual ~ZMenuStyle() = default;
  virtual std::unique_ptr<ZMenuStyle> clone() const = 0;
  // 0 to 255; 255 is opaque.
  virtual BYTE opacity() const = 0;
  virtual ZMenuMargins margins() const = 0;
  virtual COLORREF textColour(bool highlighted, bool disabled) const = 0;
  virtual void drawFrame(HDC dc, int width, int height) const = 0;
  virtual void fillItemBackground(HDC dc, const RECT& rect, bool highlighted, bool disabled) const = 0;
  // The colour of the menu's own background, under the items.
  COLORREF backgroundColour() const { return backgroundColour_; }

 protected:
  explicit ZMenuStyle(COLORREF background) : backgroundColour_(background) {}

 private:
  COLORREF backgroundColour_;
};

// The system's own colours with a raised three-dimensional frame; opaque.
class ZClassicMenuStyle : public ZMenuStyle {
 public:
  ZClassicMenuStyle();
  std::unique_ptr<ZMenuStyle> clone() const override;
  BYTE opacity() const override { return 255; }
  ZMenuMargins margins() const override { return ZMenuMargins{3, 3, 3, 3}; }
  COLORREF textColour(bool highlighted, bool disabled) const override;
  void drawFrame(HDC dc, int width, int height) const override;
  void fillItemBackground(HDC dc, const RECT& rect, bool highlighted, bool disabled) const override;
};

// Dark blue on light grey-blue with a thin dark frame; slightly translucent.
class ZModernMenuStyle : public ZMenuStyle {
 public:
  static constexpr COLORREF kDark = RGB(0x00, 0x00, 0x66);
  static constexpr COLORREF kLight = RGB(0xB8, 0xCA, 0xD1);
  static constexpr COLORREF kDisabled = RGB(0x5C, 0x65, 0x9B);

  ZModernMenuStyle();
  std::unique_ptr<ZMenuStyle> clone() const override;
  BYTE opacity() const override { return 230; }
  ZMenuMargins margins() const override { return ZMenuMargins{2, 2, 2, 2}; }
  COLORREF textColour(bool highlighted, bool disabled) const override;
  void drawFrame(HDC dc, int width, int height) const override;
  void fillItemBackground(HDC dc, const RECT& rect, bool highlighted, bool disabled) const override;
};
