// The symbol editor's rules without windows: which pixel lies in which grid
// cell, how clicks build, close and reshape the polyline, how the icon is
// painted and made from the polyline, and which file a saved symbol gets.
#include "gesture/symbol_sketch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gesture/icon_canvas.h"

namespace {
using Change = PolylineSketch::Change;
using State = PolylineSketch::State;

TEST(SketchGridTest, PixelsBelongToCellsThreeToTwentyEightOnly) {
  struct Case {
    int32_t x, y;
    bool inside;
    Point cell;
  } cases[] = {
      {22, 22, true, {3, 3}},      // 7*3 < 22 <= 7*3+7
      {28, 28, true, {3, 3}},      // the last pixel of cell 3
      {29, 22, true, {4, 3}},      // the first of cell 4
      {21, 100, false, {}},        // the last pixel of cell 2
      {203, 203, true, {28, 28}},  // the last pixel of cell 28
      {204, 100, false, {}},       // cell 29
      {100, 204, false, {}},
      {0, 0, false, {}},
      {-5, 50, false, {}},
      {94, 31, true, {13, 4}},
  };
  for (const Case& c : cases) {
    Point cell{-1, -1};
    EXPECT_EQ(sketch_grid::CellAtPixel(c.x, c.y, cell), c.inside) << c.x << "," << c.y;
    if (c.inside) EXPECT_EQ(cell, c.cell) << c.x << "," << c.y;
    else EXPECT_EQ(cell, (Point{-1, -1})) << "untouched outside";
  }
  // Each cell's vertex lies in that cell.
  for (int32_t i = sketch_grid::kFirstCell; i <= sketch_grid::kLastCell; ++i) {
    const Point pixel = sketch_grid::VertexPixel(Point{i, i});
    Point cell;
    ASSERT_TRUE(sketch_grid::CellAtPixel(pixel.x, pixel.y, cell));
    EXPECT_EQ(cell, (Point{i, i}));
  }
}

// A click is a press and a release at one cell.
void Click(PolylineSketch& sketch, Point cell) {
  sketch.buttonPressed(cell);
  sketch.buttonReleased(cell);
}

TEST(PolylineSketchTest, ReleasesAddVerticesAndAPressOnTheLastOneClosesThePolyline) {
  PolylineSketch sketch;
  EXPECT_EQ(sketch.state(), State::kIdle);
  EXPECT_EQ(sketch.buttonPressed(Point{5, 5}), Change::kNothing);  // nothing to close yet
  EXPECT_EQ(sketch.buttonReleased(Point{5, 5}), Change::kAdded);
  EXPECT_EQ(sketch.state(), State::kCapturing);
  EXPECT_EQ(sketch.pointerMoved(Point{9, 9}), Change::kPointerMoved);  // the rubber band follows
  // A press elsewhere does not close; its release adds the vertex there.
  EXPECT_EQ(sketch.buttonPressed(Point{20, 5}), Change::kPointerMoved);
  EXPECT_FALSE(sketch.closed());
  EXPECT_EQ(sketch.buttonReleased(Point{20, 5}), Change::kAdded);
  // A press on the first vertex does not close either: only the last one does.
  EXPECT_EQ(sketch.buttonPressed(Point{5, 5}), Change::kPointerMoved);
  EXPECT_EQ(sketch.buttonReleased(Point{5, 5}), Change::kAdded);
  EXPECT_EQ(sketch.buttonPressed(Point{5, 5}), Change::kClosed);
  EXPECT_TRUE(sketch.closed());
  EXPECT_EQ(sketch.buttonReleased(Point{5, 5}), Change::kNothing);  // the closing click's release adds nothing
  EXPECT_EQ(sketch.vertices(), (Stroke{{5, 5}, {20, 5}, {5, 5}}));
  EXPECT_EQ(sketch.pointerMoved(Point{7, 7}), Change::kNothing);  // no band once closed
}

TEST(PolylineSketchTest, AClosedPolylineLetsTheFirstVertexOfACellBeDraggedCellByCell) {
  PolylineSketch sketch;
  for (Point cell : {Point{4, 4}, Point{10, 4}, Point{4, 4}}) Click(sketch, cell);
  Click(sketch, Point{4, 4});  // closes
  ASSERT_TRUE(sketch.closed());
  EXPECT_EQ(sketch.buttonPressed(Point{6, 6}), Change::kNothing);  // no vertex there
  EXPECT_EQ(sketch.buttonPressed(Point{4, 4}), Change::kGrabbed);
  EXPECT_EQ(sketch.state(), State::kDragging);
  EXPECT_EQ(sketch.grabbed(), 0u);
  EXPECT_EQ(sketch.pointerMoved(Point{4, 4}), Change::kNothing);
  EXPECT_EQ(sketch.pointerMoved(Point{8, 12}), Change::kMoved);
  EXPECT_EQ(sketch.buttonReleased(Point{8, 12}), Change::kDropped);
  EXPECT_EQ(sketch.state(), State::kDone);
  EXPECT_EQ(sketch.vertices(), (Stroke{{8, 12}, {10, 4}, {4, 4}}));
}

TEST(PolylineSketchTest, ClearReturnsToIdleFromEveryStateAndForgetsTheLastVertex) {
  PolylineSketch sketch;
  sketch.open(Stroke{{3, 3}, {28, 28}});
  EXPECT_EQ(sketch.state(), State::kDone);
  sketch.buttonPressed(Point{3, 3});
  ASSERT_EQ(sketch.state(), State::kDragging);
  sketch.clear();
  EXPECT_EQ(sketch.state(), State::kIdle);
  EXPECT_TRUE(sketch.vertices().empty());
  // After a clear, a press where the last vertex was closes nothing.
  Click(sketch, Point{9, 9});
  sketch.clear();
  EXPECT_EQ(sketch.buttonPressed(Point{9, 9}), Change::kNothing);
  EXPECT_FALSE(sketch.closed());
  // An empty stored stroke opens idle.
  sketch.open(Stroke{});
  EXPECT_EQ(sketch.state(), State::kIdle);
}

TEST(PolylineSketchTest, ClicksPastTheCapacityAddNothing) {
  PolylineSketch sketch;
  for (size_t i = 0; i < PolylineSketch::kMaxVertices + 5; ++i)
    sketch.buttonReleased(Point{3 + static_cast<int32_t>(i % 20), 3 + static_cast<int32_t>(i % 7)});
  EXPECT_EQ(sketch.vertices().size(), PolylineSketch::kMaxVertices);
  EXPECT_EQ(sketch.buttonReleased(Point{28, 28}), Change::kNothing);
  EXPECT_EQ(sketch.state(), State::kCapturing);
}

TEST(IconCanvasTest, PaintingWritesTheNibbleAndTheTransparencyBitOfThePixel) {
  IconCanvas canvas;
  ASSERT_TRUE(canvas.transparentAt(0, 0));
  // Pixel 33 (row 1, column 1): odd, so the low nibble of byte 16; bit 6 of mask byte 4.
  ASSERT_TRUE(canvas.paint(1, 1, IconCanvas::kInk));
  EXPECT_EQ(canvas.colours()[16], 0x04);
  EXPECT_EQ(canvas.transparency()[4], 0xBF);
  // Pixel 32 (row 1, column 0): the high nibble, bit 7.
  ASSERT_TRUE(canvas.paint(0, 1, 0x0C));
  EXPECT_EQ(canvas.colours()[16], 0xC4);
  EXPECT_EQ(canvas.transparency()[4], 0x3F);
  // Colour 0 makes a pixel transparent again.
  ASSERT_TRUE(canvas.paint(1, 1, IconCanvas::kTransparent));
  EXPECT_EQ(canvas.colours()[16], 0xC0);
  EXPECT_EQ(canvas.transparency()[4], 0x7F);
  EXPECT_TRUE(canvas.transparentAt(1, 1));
  EXPECT_FALSE(canvas.transparentAt(0, 1));
  EXPECT_EQ(canvas.colourAt(0, 1), 0x0C);
  // Outside the icon nothing changes.
  const IconCanvas before = canvas;
  for (Point p : {Point{32, 0}, Point{0, 32}, Point{-1, 5}})
    EXPECT_FALSE(canvas.paint(p.x, p.y, IconCanvas::kInk));
  EXPECT_EQ(canvas.colours(), before.colours());
  EXPECT_EQ(canvas.transparency(), before.transparency());
  canvas.clear();
  EXPECT_EQ(canvas.colours(), SymbolIcon().xorMask());
  EXPECT_EQ(canvas.transparency(), SymbolIcon().andMask());
}

std::set<std::pair<int32_t, int32_t>> InkedPixels(const IconCanvas& canvas) {
  std::set<std::pair<int32_t, int32_t>> inked;
  for (int32_t row = 0; row < 32; ++row)
    for (int32_t column = 0; column < 32; ++column)
      if (!canvas.transparentAt(column, row)) {
        EXPECT_EQ(canvas.colourAt(column, row), IconCanvas::kInk);
        inked.insert({column, row});
      }
  return inked;
}

TEST(IconCanvasTest, ThePolylineIsWalkedSegmentBySegmentAndItsLastVertexInkedToo) {
  IconCanvas canvas;
  canvas.paint(30, 30, 7);  // painted before: the picture starts over
  // A diagonal, a flat step and back: LineDDA's walk of (3,3)-(6,5) takes
  // y along with x on the half steps.
  canvas.drawPolyline(Stroke{{3, 3}, {6, 5}, {6, 5}, {6, 8}});
  const std::set<std::pair<int32_t, int32_t>> expected = {{3, 3}, {4, 4}, {5, 4}, {6, 5}, {6, 6}, {6, 7}, {6, 8}};
  EXPECT_EQ(InkedPixels(canvas), expected);
  // One vertex inks one pixel; no vertex none.
  canvas.drawPolyline(Stroke{{28, 3}});
  EXPECT_EQ(InkedPixels(canvas), (std::set<std::pair<int32_t, int32_t>>{{28, 3}}));
  canvas.drawPolyline(Stroke{});
  EXPECT_TRUE(InkedPixels(canvas).empty());
}

TEST(IconCanvasTest, VerticesFarOutsideTheIconAreNotWalked) {
  IconCanvas canvas;
  // A symbol from elsewhere with a point at the end of the number range: the
  // far segment is left out instead of walking two billion points.
  canvas.drawPolyline(Stroke{{2, 2}, {3, 2}, {2147483647, -2147483647 - 1}});
  EXPECT_EQ(InkedPixels(canvas), (std::set<std::pair<int32_t, int32_t>>{{2, 2}}));
}

TEST(SymbolFileNamingTest, NewFilesTakeTheSmallestFreeNumberFromTwo) {
  const std::string folder = "C:\\Profile\\symbols\\";
  struct Case {
    std::set<std::string> present;
    std::string expected;
  } cases[] = {
      {{}, folder + "002.zts"},
      {{folder + "002.zts", folder + "003.zts"}, folder + "004.zts"},
      {{folder + "003.zts"}, folder + "002.zts"},  // a gap is filled
      {{folder + "001.zts", folder + "000.zts"}, folder + "002.zts"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextFreeSymbolPath(folder, [&](const std::string& path) { return c.present.count(path) > 0; }),
              c.expected);
  // Past 999 the number grows a digit; when every number is taken there is none.
  EXPECT_EQ(NextFreeSymbolPath(folder, [&](const std::string& path) { return path != folder + "1000.zts"; }),
            folder + "1000.zts");
  EXPECT_EQ(NextFreeSymbolPath(folder, [](const std::string&) { return true; }), "");
}

TEST(SymbolFileNamingTest, ANewFileForANewOrForeignOrRenamedSymbolOnly) {
  const std::string folder = "C:\\Profile\\symbols\\";
  struct Case {
    std::string path, oldName, newName;
    bool newFile;
  } cases[] = {
      {"", "", "Circle", true},
      {folder + "002.zts", "Circle", "Circle", false},
      {"c:\\profile\\SYMBOLS\\002.zts", "Circle", "Circle", false},  // the case of a path does not matter
      {folder + "002.zts", "Circle", "Ring", true},
      {"C:\\Zavotra\\Symbols\\03\\arrow.zts", "Arrow", "Arrow", true},
      {folder + "002.zts", "Circle", "circle", true},  // a name differs by its case too
  };
  for (const Case& c : cases)
    EXPECT_EQ(SavesToNewSymbolFile(c.path, folder, c.oldName, c.newName), c.newFile) << c.path << " " << c.newName;
}
}  // namespace
