#include "gesture/symbol_sketch.h"

#include <cstdio>

namespace sketch_grid {
namespace {
// The cell of one coordinate; false outside the usable cells.
bool CellOf(int32_t pixel, int32_t& cell) {
  if (pixel < kFirstCell * kCellPixels + 1 || pixel > kLastCell * kCellPixels + kCellPixels) return false;
  cell = (pixel - 1) / kCellPixels;
  return true;
}
}  // namespace

bool CellAtPixel(int32_t x, int32_t y, Point& cell) {
  int32_t column = 0, row = 0;
  if (!CellOf(x, column) || !CellOf(y, row)) return false;
  cell = Point{column, row};
  return true;
}
}  // namespace sketch_grid

void PolylineSketch::open(const Stroke& points) {
  clear();
  if (points.empty()) return;
  vertices_.assign(points.begin(), points.size() > kMaxVertices ? points.begin() + kMaxVertices : points.end());
  state_ = State::kDone;
}

void PolylineSketch::clear() {
  vertices_.clear();
  state_ = State::kIdle;
  lastAdded_ = kNoCell;
  grabbed_ = 0;
}

PolylineSketch::Change PolylineSketch::buttonReleased(Point cell) {
  switch (state_) {
    case State::kIdle:
    case State::kCapturing:
      state_ = State::kCapturing;
      if (vertices_.size() >= kMaxVertices) return Change::kNothing;
      vertices_.push_back(cell);
      lastAdded_ = cell;
      return Change::kAdded;
    case State::kDragging:
      state_ = State::kDone;
      return Change::kDropped;
    case State::kDone:
      return Change::kNothing;
  }
  return Change::kNothing;
}

PolylineSketch::Change PolylineSketch::buttonPressed(Point cell) {
  if (state_ == State::kCapturing) {
    if (cell != lastAdded_) return Change::kPointerMoved;
    state_ = State::kDone;
    return Change::kClosed;
  }
  if (state_ != State::kDone) return Change::kNothing;
  for (size_t i = 0; i < vertices_.size(); ++i)
    if (vertices_[i] == cell) {
      grabbed_ = i;
      state_ = State::kDragging;
      return Change::kGrabbed;
    }
  return Change::kNothing;
}

PolylineSketch::Change PolylineSketch::pointerMoved(Point cell) {
  if (state_ == State::kCapturing) return Change::kPointerMoved;
  if (state_ != State::kDragging || vertices_[grabbed_] == cell) return Change::kNothing;
  vertices_[grabbed_] = cell;
  return Change::kMoved;
}

std::string NextFreeSymbolPath(const std::string& folder, const std::function<bool(const std::string&)>& exists) {
  constexpr unsigned kFirstNumber = 2;
  constexpr unsigned kLastNumber = 9999;
  for (unsigned number = kFirstNumber; number <= kLastNumber; ++number) {
    char name[16];
    std::snprintf(name, sizeof name, "%03u", number);
    std::string path = folder + name + ".zts";
    if (!exists(path)) return path;
  }
  return std::string();
}

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// File names on Windows ignore case.
bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  return true;
}
}  // namespace

bool SavesToNewSymbolFile(const std::string& path, const std::string& folder, const std::string& oldName,
                          const std::string& newName) {
  return path.empty() || !StartsWithIgnoringCase(path, folder) || oldName != newName;
}
