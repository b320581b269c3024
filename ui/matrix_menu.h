// A popup menu laid out as a grid, filled row by row; with 0 columns it
// takes the first grid that is at least as wide as it is high.
#pragma once
#include "ui/menu.h"

class ZMatrixMenu : public ZMenu {
 public:
  explicit ZMatrixMenu(size_t columns = 0) : columns_(columns) {}
  // The grid of the last layout.
  size_t shownColumns() const { return shownColumns_; }
  size_t rows() const { return rows_; }

 protected:
  void measure() override;
  void arrange() override;

 private:
  size_t columns_;
  size_t shownColumns_ = 0, rows_ = 0;
};
