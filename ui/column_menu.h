// A popup menu of one column. Built empty it shows at most 10 rows and
// scrolls the rest: while the pointer rests on the band at the top or the
// bottom (timers 1 and 2, every 100 ms) the rows move by one. Built from a
// menu resource (or a loaded system menu) it shows every row.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/menu.h"

class ZColumnMenu : public ZMenu {
 public:
  static constexpr size_t kRowLimit = 10;
  static constexpr UINT_PTR kScrollUpTimer = 1;
  static constexpr UINT_PTR kScrollDownTimer = 2;
  static constexpr UINT kScrollPeriodMs = 100;

  ZColumnMenu() = default;
  // The first popup of menu resource `id` in `module`; empty if it cannot be loaded.
  ZColumnMenu(UINT id, HINSTANCE module);
  // The entries of a loaded popup menu, nested popups as nested column
  // menus; "&" marks go, "&&" becomes "&"; greyed or disabled entries are disabled.
  static std::unique_ptr<ZColumnMenu> FromMenu(HMENU popup);

  // The visible-row limit, 0 for none.
  size_t rowLimit() const { return limit_; }
  void setRowLimit(size_t limit) { limit_ = limit; }
  size_t firstVisible() const { return first_; }
  const ZMenuLayout& layout() const { return layout_; }

 protected:
  void measure() override;
  void arrange() override;
  void track(POINT at) override;
  void timer(UINT_PTR id) override;
  void hiding() override;
  void paint(HDC dc, const RECT& area) override;
  void drawSubmenuMark(HDC dc, const Entry& entry) const override;

 private:
  void addEntries(HMENU popup);
  void followZone(bool inside, UINT_PTR id, bool& running);
  void scrolled();

  size_t limit_ = kRowLimit;
  size_t first_ = 0;
  ZMenuLayout layout_;
  bool upTimer_ = false, downTimer_ = false;
};
