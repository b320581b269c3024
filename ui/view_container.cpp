#include "ui/view_container.h"

#include "common/app_context.h"
#include "resources/zavotra_ids.h"
#include "ui/action_view.h"
#include "ui/element_host.h"
#include "ui/text_button.h"

namespace {
constexpr DWORD kStepMilliseconds = 15;
}  // namespace

ZViewContainer::ZViewContainer(ZElementHost& host, const RECT& rect)
    : host_(host), rect_(rect), background_(LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(IDB_VIEW_BACKGROUND))) {
  BITMAP info = {};
  if (background_ && GetObjectA(background_.get(), sizeof info, &info)) {
    backgroundOrigin_.x = rect.left + ((rect.right - rect.left) - info.bmWidth) / 2;
    backgroundOrigin_.y = rect.top + ((rect.bottom - rect.top) - info.bmHeight) / 2;
  }
}

size_t ZViewContainer::addPage(ZTextButton& label, ZActionView& view) {
  pages_.push_back(Page{&label, &view});
  return pages_.size() - 1;
}

void ZViewContainer::place(const std::vector<ZPageSpan>& spans) {
  for (size_t i = 0; i < pages_.size() && i < spans.size(); ++i) {
    const ZPageSpan& span = spans[i];
    pages_[i].label->moveTo(POINT{rect_.left + kLabelLeft, span.top + kLabelTop});
    const RECT viewRect = {rect_.left, span.viewTop(), rect_.right, span.viewTop() + span.height};
    pages_[i].view->setBackground(background_.get(),
                                  POINT{viewRect.left - backgroundOrigin_.x, viewRect.top - backgroundOrigin_.y});
    pages_[i].view->place(viewRect);
  }
  spans_ = spans;
}

void ZViewContainer::repaint() const {
  if (HWND window = host_.window()) {
    InvalidateRect(window, &rect_, FALSE);
    UpdateWindow(window);
  }
}

void ZViewContainer::openPage(size_t index, bool animate) {
  if (index >= pages_.size()) return;
  const std::vector<ZPageSpan> target =
      PageSpans(rect_.top, rect_.bottom - rect_.top, pages_.size(), index);
  if (open_ < pages_.size()) pages_[open_].view->open(false);
  if (animate && spans_.size() == target.size()) {
    const std::vector<ZPageSpan> from = spans_;
    for (int step = 1; step < kAnimationSteps; ++step) {
      std::vector<ZPageSpan> between;
      for (size_t i = 0; i < target.size(); ++i) between.push_back(SpanBetween(from[i], target[i], step, kAnimationSteps));
      place(between);
      repaint();
      Sleep(kStepMilliseconds);
    }
  }
  place(target);
  open_ = index;
  pages_[index].view->open(true);
  repaint();
}
