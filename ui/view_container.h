// The page area of the main window: pages stacked top to bottom, each a label
// button over an action view. One page is open at full size with its list
// view; the others are collapsed strips. Opening another page slides the
// pages between the two to their new places. The action views show the
// background bitmap 252 through, centred in the container.
#pragma once
#include <windows.h>

#include <vector>

#include "common/gdi_objects.h"
#include "ui/view_layout.h"

class ZActionView;
class ZElementHost;
class ZTextButton;

class ZViewContainer {
 public:
  static constexpr int kAnimationSteps = 5;

  ZViewContainer(ZElementHost& host, const RECT& rect);
  ZViewContainer(const ZViewContainer&) = delete;
  ZViewContainer& operator=(const ZViewContainer&) = delete;

  // The page's index; pages are placed once one is opened.
  size_t addPage(ZTextButton& label, ZActionView& view);
  // Shows page `index` at full size; `animate` slides the pages there.
  void openPage(size_t index, bool animate);

  size_t openIndex() const { return open_; }
  size_t pageCount() const { return pages_.size(); }
  ZActionView& view(size_t index) const { return *pages_[index].view; }
  ZTextButton& label(size_t index) const { return *pages_[index].label; }
  const RECT& rect() const { return rect_; }

 private:
  struct Page {
    ZTextButton* label;
    ZActionView* view;
  };
  void place(const std::vector<ZPageSpan>& spans);
  void repaint() const;

  ZElementHost& host_;
  RECT rect_;
  ZBitmap background_;
  POINT backgroundOrigin_ = {};  // where the bitmap's corner lies, in client coordinates
  std::vector<Page> pages_;
  std::vector<ZPageSpan> spans_;
  size_t open_ = 0;
};
