// Owners of the GDI and USER handles that painting code holds for a while:
// objects, memory device contexts, selections, icons, menus, image lists.
// Each releases its handle with the one function that fits it, also on an
// early return.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "common/scoped_handle.h"

struct ZDeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A bitmap, font, pen, brush or region, deleted with DeleteObject.
template <typename Handle>
using ZGdiHandle = ZScoped<Handle, ZNullHandleTraits<Handle, ZDeleteGdiObject>>;

using ZBitmap = ZGdiHandle<HBITMAP>;
using ZFont = ZGdiHandle<HFONT>;
using ZPen = ZGdiHandle<HPEN>;
using ZBrush = ZGdiHandle<HBRUSH>;
using ZRegion = ZGdiHandle<HRGN>;

// A memory device context compatible with `reference` (the screen when null).
class ZMemoryDC {
 public:
  explicit ZMemoryDC(HDC reference = nullptr) : dc_(CreateCompatibleDC(reference)) {}
  ~ZMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  ZMemoryDC(const ZMemoryDC&) = delete;
  ZMemoryDC& operator=(const ZMemoryDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// An object selected into a device context for the scope; the previous one
// comes back at the end, so that the object can be deleted afterwards.
class ZSelection {
 public:
  ZSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~ZSelection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ZSelection(const ZSelection&) = delete;
  ZSelection& operator=(const ZSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The device context of a window (the screen for null), released at the end:
// of its client area, or of the whole window with its frame and caption.
class ZWindowDC {
 public:
  enum Area { kClientArea, kWholeWindow };
  explicit ZWindowDC(HWND window, Area area = kClientArea)
      : window_(window), dc_(area == kWholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~ZWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ZWindowDC(const ZWindowDC&) = delete;
  ZWindowDC& operator=(const ZWindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

struct ZDestroyIcon {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct ZDestroyMenu {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct ZDestroyImageList {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};

using ZIcon = ZScoped<HICON, ZNullHandleTraits<HICON, ZDestroyIcon>>;
using ZMenuHandle = ZScoped<HMENU, ZNullHandleTraits<HMENU, ZDestroyMenu>>;
using ZImageList = ZScoped<HIMAGELIST, ZNullHandleTraits<HIMAGELIST, ZDestroyImageList>>;
