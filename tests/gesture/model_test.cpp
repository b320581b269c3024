// The value types of strokes and symbols: boxes, deep copies and icon records.
#include <gtest/gtest.h>

#include <array>

#include "gesture/bounding_box.h"
#include "gesture/gesture.h"
#include "gesture/symbol.h"
#include "tests/gesture/gesture_test_support.h"

namespace {

SymbolIcon PatternIcon(uint8_t seed) {
  std::array<uint8_t, SymbolIcon::kXorMaskSize> xorMask;
  std::array<uint8_t, SymbolIcon::kAndMaskSize> andMask;
  for (size_t i = 0; i < xorMask.size(); ++i)
    xorMask[i] = static_cast<uint8_t>(seed + i);
  for (size_t i = 0; i < andMask.size(); ++i)
    andMask[i] = static_cast<uint8_t>(seed ^ i);
  SymbolIcon icon;
  EXPECT_TRUE(icon.setMasks(xorMask.data(), andMask.data()));
  return icon;
}

bool IsBlank(const SymbolIcon& icon) {
  for (uint8_t b : icon.xorMask())
    if (b != 0x00)
      return false;
  for (uint8_t b : icon.andMask())
    if (b != 0xFF)
      return false;
  return true;
}

TEST(BoundingBox, OnePointHasNoExtent) {
  const auto box = BoundingBoxOf(Gesture{MakeStroke({{-7, 12}})});
  ASSERT_TRUE(box);
  EXPECT_EQ(*box, (BoundingBox{-7, 12, -7, 12}));
  EXPECT_EQ(box->width(), 0);
  EXPECT_EQ(box->height(), 0);
}

TEST(BoundingBox, CoversEveryPointOfEveryStroke) {
  const Gesture strokes{MakeStroke({{5, 5}, {9, 2}}), Stroke{}, MakeStroke({{-3, 8}, {4, 4}})};
  const auto box = BoundingBoxOf(strokes);
  ASSERT_TRUE(box);
  EXPECT_EQ(*box, (BoundingBox{-3, 2, 9, 8}));
  EXPECT_EQ(box->width(), 12);
  EXPECT_EQ(box->height(), 6);
  EXPECT_EQ(BoundingBoxOf(strokes[2]), (BoundingBox{-3, 4, 4, 8}));
}

TEST(BoundingBox, EmptyFirstStrokeOrNoPointsAtAll) {
  // A stored shape may start with an empty stroke: the box is that of its points.
  EXPECT_EQ(BoundingBoxOf(Gesture{Stroke{}, MakeStroke({{3, 4}})}), (BoundingBox{3, 4, 3, 4}));
  EXPECT_FALSE(BoundingBoxOf(Gesture{}));
  EXPECT_FALSE(BoundingBoxOf(Gesture{Stroke{}, Stroke{}}));
}

TEST(BoundingBox, ExtremeCoordinatesDoNotOverflowTheExtent) {
  const auto box = BoundingBoxOf(MakeStroke({{INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN}}));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->width(), int64_t{INT32_MAX} - INT32_MIN);
  EXPECT_EQ(box->height(), int64_t{INT32_MAX} - INT32_MIN);
}

TEST(Symbol, NewSymbolHasDefaultsAndEmptyShapesAreValid) {
  Symbol symbol;
  EXPECT_EQ(symbol.identifier(), 1u);
  EXPECT_TRUE(symbol.path().empty());
  EXPECT_TRUE(symbol.shapes().empty());
  symbol.addShape();
  EXPECT_EQ(symbol.shapeCount(), 1u);
  EXPECT_EQ(symbol.shapes()[0].strokeCount(), 0u);
}

TEST(Symbol, CopyIsDeepInEveryPart) {
  Symbol source = MakeSymbol({MakeShape({MakeStroke({{1, 2}, {3, 4}})}), Shape()});
  source.setName("circle");
  source.setSortName("a circle");
  source.setIdentifier(77);
  source.setPath("C:\\symbols\\circle.zts");
  source.shapes()[0].setIcon(PatternIcon(9));
  const Symbol pristine = source;

  Symbol copy = source;
  ASSERT_EQ(copy, source);
  copy.shapes()[0].strokes()[0].push_back(Point{5, 6});
  copy.shapes()[0].addStroke(MakeStroke({{0, 0}}));
  copy.lastShape().lastStroke().push_back(Point{8, 8});
  copy.shapes()[0].setIcon(PatternIcon(1));
  copy.setName("square");
  copy.setSortName("b");
  copy.setIdentifier(2);
  copy.setPath("");
  EXPECT_EQ(source, pristine);
  EXPECT_EQ(source.shapes()[0].strokes()[0].size(), 2u);

  Symbol assigned;
  assigned = source;
  EXPECT_EQ(assigned, source);
  assigned.shapes()[1].addStroke(MakeStroke({{1, 1}}));
  EXPECT_EQ(source, pristine);
#ifdef _WIN32
  ASSERT_NE(source.shapes()[0].icon().handle(), nullptr);
  ASSERT_NE(assigned.shapes()[0].icon().handle(), nullptr);
  EXPECT_NE(assigned.shapes()[0].icon().handle(), source.shapes()[0].icon().handle());
  EXPECT_NE(pristine.shapes()[0].icon().handle(), source.shapes()[0].icon().handle());
#endif
}

TEST(Shape, LastStrokeAndLastShapeAreCreatedWhenMissing) {
  Shape shape;
  shape.lastStroke().push_back(Point{1, 1});
  shape.lastStroke().push_back(Point{2, 2});
  ASSERT_EQ(shape.strokeCount(), 1u);
  EXPECT_EQ(shape.strokes()[0], MakeStroke({{1, 1}, {2, 2}}));

  Symbol symbol;
  symbol.lastShape().addStroke();
  symbol.lastShape().lastStroke().push_back(Point{4, 4});
  ASSERT_EQ(symbol.shapeCount(), 1u);
  EXPECT_EQ(symbol.shapes()[0].strokes()[0], MakeStroke({{4, 4}}));
}

TEST(Shape, ConstructedFromAnIconCopiesItWithNoStrokes) {
  const SymbolIcon icon = PatternIcon(3);
  const Shape shape(icon);
  EXPECT_EQ(shape.strokeCount(), 0u);
  EXPECT_EQ(shape.icon(), icon);
#ifdef _WIN32
  EXPECT_NE(shape.icon().handle(), icon.handle());
#endif
}

TEST(SymbolIcon, NewRecordIsBlankWithoutHandle) {
  const SymbolIcon icon;
  EXPECT_TRUE(IsBlank(icon));
  EXPECT_EQ(icon.handle(), nullptr);
  const SymbolIcon copy = icon;
  EXPECT_EQ(copy.handle(), nullptr);
}

TEST(SymbolIcon, SetMasksCopiesTheBytes) {
  std::array<uint8_t, 512> xorMask{};
  std::array<uint8_t, 128> andMask{};
  xorMask[0] = 0xAB;
  xorMask[511] = 0xCD;
  andMask[127] = 0x81;
  SymbolIcon icon;
  ASSERT_TRUE(icon.setMasks(xorMask.data(), andMask.data()));
  xorMask.fill(0x11);
  andMask.fill(0x22);
  EXPECT_EQ(icon.xorMask()[0], 0xAB);
  EXPECT_EQ(icon.xorMask()[511], 0xCD);
  EXPECT_EQ(icon.xorMask()[1], 0x00);
  EXPECT_EQ(icon.andMask()[127], 0x81);
  EXPECT_EQ(icon.andMask()[0], 0x00);

  // Null masks are refused and leave the picture as it was.
  const SymbolIcon kept = icon;
  EXPECT_FALSE(icon.setMasks(nullptr, andMask.data()));
  EXPECT_FALSE(icon.setMasks(xorMask.data(), nullptr));
  EXPECT_EQ(icon, kept);

  // From its own masks: still the same picture.
  const SymbolIcon before = icon;
  ASSERT_TRUE(icon.setMasks(icon.xorMask().data(), icon.andMask().data()));
  EXPECT_EQ(icon, before);
}

TEST(SymbolIcon, MoveLeavesTheSourceBlankAndClearForgetsThePicture) {
  SymbolIcon source = PatternIcon(5);
  const SymbolIcon expected = source;
  const SymbolIconHandle handle = source.handle();
  SymbolIcon moved = std::move(source);
  EXPECT_EQ(moved, expected);
  EXPECT_EQ(moved.handle(), handle);
  EXPECT_TRUE(IsBlank(source));  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_EQ(source.handle(), nullptr);

  SymbolIcon target = PatternIcon(6);
  target = std::move(moved);
  EXPECT_EQ(target, expected);
  EXPECT_EQ(target.handle(), handle);

  target.clear();
  EXPECT_TRUE(IsBlank(target));
  EXPECT_EQ(target.handle(), nullptr);
}

TEST(SymbolIcon, SelfAssignmentKeepsThePicture) {
  SymbolIcon icon = PatternIcon(7);
  const SymbolIcon expected = icon;
  SymbolIcon& alias = icon;
  icon = alias;
  EXPECT_EQ(icon, expected);
#ifdef _WIN32
  EXPECT_NE(icon.handle(), nullptr);
#endif
}

}  // namespace
