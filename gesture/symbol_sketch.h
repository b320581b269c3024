// What the symbol editor draws, without any window: the coarse grid the
// user puts the vertices of a symbol's stroke on, the polyline being drawn
// on it with its states, and the naming of new symbol files. Portable, so
// that the rules are tested natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gesture/point.h"
#include "gesture/stroke.h"

namespace sketch_grid {
constexpr int32_t kCellPixels = 7;
constexpr int32_t kFirstCell = 3;   // the smallest usable cell on both axes
constexpr int32_t kLastCell = 28;   // the largest
constexpr int32_t kCornerNear = 24; // the light grey marks around the usable square
constexpr int32_t kCornerFar = 199;
// The drawing control's side in pixels: the whole last cell fits.
constexpr int32_t kSidePixels = kCellPixels * (kLastCell + 1) + 1;

// The cell of a pixel of the drawing control: cell i holds the pixels
// 7i + 1 to 7i + 7. False, and `cell` untouched, outside cells 3 to 28.
bool CellAtPixel(int32_t x, int32_t y, Point& cell);
// Where a cell's vertex is drawn.
inline Point VertexPixel(Point cell) {
  return Point{kCellPixels * cell.x + 3, kCellPixels * cell.y + 3};
}
}  // namespace sketch_grid

// The polyline of the symbol's stroke, in grid cells, and how clicks build
// it: each release adds a vertex, a press on the vertex just added closes it,
// and once closed a vertex can be dragged elsewhere.
class PolylineSketch {
 public:
  enum class State { kIdle, kCapturing, kDone, kDragging };
  // What an event changed, so that the view knows what to redraw and
  // whether to confine or free the pointer.
  enum class Change { kNothing, kAdded, kClosed, kGrabbed, kMoved, kDropped, kPointerMoved };
  // Clicks past this many vertices add nothing more.
  static constexpr size_t kMaxVertices = 1000;

  // Starts over from the points of a stored stroke: closed when there are any.
  void open(const Stroke& points);
  void clear();

  // Mouse events at a cell of the grid (positions outside the cells are
  // never handed in).
  Change buttonReleased(Point cell);
  Change buttonPressed(Point cell);
  Change pointerMoved(Point cell);

  State state() const { return state_; }
  bool closed() const { return state_ == State::kDone || state_ == State::kDragging; }
  const Stroke& vertices() const { return vertices_; }
  // The vertex being dragged; only meaningful while dragging.
  size_t grabbed() const { return grabbed_; }

 private:
  static constexpr Point kNoCell{255, 255};

  Stroke vertices_;
  State state_ = State::kIdle;
  Point lastAdded_ = kNoCell;
  size_t grabbed_ = 0;
};

// The file a symbol saved as new goes to: "%s%03u%s" of the folder (ending
// with a backslash), the smallest number from 2 up for which `exists` says
// no, and ".zts". Empty when every number up to 9999 is taken.
std::string NextFreeSymbolPath(const std::string& folder, const std::function<bool(const std::string&)>& exists);

// Whether saving a symbol that was named `oldName` under `newName` goes to a
// new file: it has none yet, its file lies outside the user's folder (a
// ready-made symbol), or it was renamed (the old file then stays as it is).
bool SavesToNewSymbolFile(const std::string& path, const std::string& folder, const std::string& oldName,
                          const std::string& newName);
