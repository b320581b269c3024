// The system icon of a SymbolIcon.
#include <windows.h>

#include <type_traits>

#include "gesture/symbol_icon.h"

static_assert(std::is_same<HICON, SymbolIconHandle>::value,
              "SymbolIconHandle must be the HICON of a STRICT build");

namespace {

// GetIconInfo hands out copies of the icon's two bitmaps; they belong to the caller.
void DeleteIconInfoBitmaps(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info))
    return;
  if (info.hbmMask)
    DeleteObject(info.hbmMask);
  if (info.hbmColor)
    DeleteObject(info.hbmColor);
}

}  // namespace

SymbolIconHandle SymbolIcon::BuildHandle(const XorMask& xorMask, const AndMask& andMask) {
  HICON icon = CreateIcon(GetModuleHandleW(nullptr), kSide, kSide, 1, 4, andMask.data(),
                          xorMask.data());
  if (icon)
    DeleteIconInfoBitmaps(icon);
  return icon;
}

void SymbolIcon::DestroyHandle(SymbolIconHandle handle) { DestroyIcon(handle); }
