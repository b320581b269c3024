// A button drawn from three images of the program's resources (normal,
// pointer over it, pressed), bitmaps or icons. Its size is that of the
// normal image.
#pragma once
#include "ui/button.h"

struct ZButtonImages {
  WORD normal;
  WORD hover;
  WORD pressed;
};

class ZPushButton : public ZButton {
 public:
  enum class ImageKind { Bitmap, Icon };

  ZPushButton(ZElementHost& owner, int command, POINT topLeft, const ZButtonImages& images,
              ImageKind kind = ImageKind::Bitmap);

  void paint(HDC dc, const RECT& update) override;
  // The resource drawn in the button's present state.
  WORD currentImage() const;

 protected:
  virtual const ZButtonImages& currentImages() const { return images_; }

 private:
  SIZE imageSize(WORD image) const;
  void drawBitmap(HDC dc, WORD image) const;
  void drawIcon(HDC dc, WORD image) const;

  bool icons_;
  ZButtonImages images_;
};
