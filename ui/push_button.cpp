#include "ui/push_button.h"

#include "common/app_context.h"
#include "common/gdi_objects.h"

namespace {
// LoadImage rather than LoadIcon: the copy is the caller's to destroy.
HICON LoadOwnIcon(WORD image) {
  return static_cast<HICON>(LoadImageA(AppInstance(), MAKEINTRESOURCEA(image), IMAGE_ICON, 0, 0, 0));
}
}  // namespace

ZPushButton::ZPushButton(ZElementHost& owner, int command, POINT topLeft, const ZButtonImages& images,
                         ImageKind kind)
    : ZButton(owner, command, topLeft), icons_(kind == ImageKind::Icon), images_(images) {
  const SIZE size = imageSize(images.normal);
  growTo(size.cx, size.cy);
}

SIZE ZPushButton::imageSize(WORD image) const {
  SIZE size = {0, 0};
  if (!icons_) {
    ZBitmap bitmap(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(image)));
    BITMAP info = {};
    if (bitmap && GetObjectA(bitmap.get(), sizeof info, &info)) size = SIZE{info.bmWidth, info.bmHeight};
    return size;
  }
  ZIcon icon(LoadOwnIcon(image));
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon.get(), &info)) return size;
  ZBitmap colour(info.hbmColor);
  ZBitmap mask(info.hbmMask);
  BITMAP maskInfo = {};
  if (GetObjectA(mask.get(), sizeof maskInfo, &maskInfo)) size = SIZE{maskInfo.bmWidth, maskInfo.bmHeight};
  return size;
}

WORD ZPushButton::currentImage() const {
  const ZButtonImages& images = currentImages();
  if (inside()) return pressed() ? images.pressed : images.hover;
  return images.normal;
}

void ZPushButton::paint(HDC dc, const RECT&) {
  if (icons_) drawIcon(dc, currentImage());
  else drawBitmap(dc, currentImage());
}

void ZPushButton::drawBitmap(HDC dc, WORD image) const {
  ZBitmap bitmap(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(image)));
  ZMemoryDC source(dc);
  if (!bitmap || !source) return;
  ZSelection selected(source.get(), bitmap.get());
  const RECT& r = rect();
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, SRCCOPY);
}

void ZPushButton::drawIcon(HDC dc, WORD image) const {
  ZIcon icon(LoadOwnIcon(image));
  if (!icon) return;
  const RECT& r = rect();
  DrawIconEx(dc, r.left, r.top, icon.get(), r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
}
