#include "ui/matrix_menu.h"

void ZMatrixMenu::measure() {
  ZMenu::measure();
  shownColumns_ = columns_ ? columns_ : MatrixColumns(entries_.size(), statistics_.maxWidth, statistics_.maxHeight);
  rows_ = MatrixRows(entries_.size(), shownColumns_);
  const ZMenuLayout layout = MatrixLayout(entrySizes(), style_->margins(), shownColumns_);
  width_ = layout.width;
  height_ = layout.height;
}

void ZMatrixMenu::arrange() { applyLayout(MatrixLayout(entrySizes(), style_->margins(), shownColumns_)); }
