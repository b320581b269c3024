// Recognition through the public recognizer: normalisation, the distance
// walk, the greedy stroke pairing and the choice among candidates.
#include "gesture/symbol_recognizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/gesture/gesture_test_support.h"

namespace {

constexpr int kBox = 100;
constexpr int kTolerance = 30;
constexpr float kNoMatch = SymbolRecognizer::kNoMatchScore;
constexpr int32_t kNoDistance = SymbolRecognizer::kNoMatchDistance;

// An open loop of screen points, as a user would draw a "c"-like curve.
Stroke Curve(int jitter = 0) {
  Stroke stroke;
  for (int i = 0; i < 40; ++i) {
    const double angle = 0.5 + i * 0.13;
    const int wobble = jitter ? ((i * 7) % 5 - 2) * jitter : 0;
    stroke.push_back(Point{400 + static_cast<int>(std::lround(80 * std::cos(angle))) + wobble,
                           300 + static_cast<int>(std::lround(60 * std::sin(angle)))});
  }
  return stroke;
}

Stroke Line(Point from, Point to) { return MakeStroke({from, to}); }

TEST(SymbolRecognizer, SpecialValuesAreTheLargestIntAndFloat) {
  EXPECT_EQ(SymbolRecognizer::kNoMatchDistance, 0x7FFFFFFF);
  uint32_t bits = 0;
  std::memcpy(&bits, &kNoMatch, sizeof bits);
  EXPECT_EQ(bits, 0x7F7FFFFFu);
}

TEST(SymbolRecognizer, RadiusIsTruncatedShareOfTheBox) {
  struct Case { int box, tolerance, radius; };
  // Box sizes beyond 1..4096 are clamped first.
  for (const Case& c : {Case{100, 30, 30}, Case{100, 0, 0}, Case{50, 33, 16}, Case{100, 50, 50},
                        Case{100, -20, 0}, Case{100, 2147483647, 2147483647}, Case{0, 100, 1},
                        Case{-5, 100, 1}, Case{2147483647, 10, 409}}) {
    SymbolRecognizer recognizer({Line({0, 0}, {5, 5})}, c.box, c.tolerance);
    EXPECT_EQ(recognizer.radius(), c.radius) << c.box << " " << c.tolerance;
    EXPECT_EQ(recognizer.shapeScore(MakeShape({Line({3, 3}, {9, 9})})), 0.0f) << c.box << " " << c.tolerance;
  }
}

TEST(SymbolRecognizer, IdenticalAndShiftedGesturesScoreZeroAndWin) {
  const Symbol exact = MakeSymbol({MakeShape({Curve()})});
  const Symbol rough = MakeSymbol({MakeShape({Curve(3)})});
  for (const Point offset : {Point{0, 0}, Point{-350, 900}, Point{12345, -4}}) {
    SymbolRecognizer recognizer({Shifted(Curve(), offset.x, offset.y)}, kBox, kTolerance);
    const float roughScore = recognizer.symbolScore(rough);
    ASSERT_GT(roughScore, 0.0f);
    ASSERT_LT(roughScore, kNoMatch);
    std::vector<TestCandidate> candidates{{&rough}, {&exact}, {&rough}};
    EXPECT_EQ(recognizer.recognize(CandidatePointers(candidates)), &candidates[1]);
    EXPECT_EQ(recognizer.resultIndex(), 1u);
    EXPECT_EQ(recognizer.resultScore(), 0.0f);
  }
}

TEST(SymbolRecognizer, OnePointGestureMatchesNothing) {
  const Symbol symbol = MakeSymbol({MakeShape({Curve()}), MakeShape({MakeStroke({{7, 7}})})});
  SymbolRecognizer recognizer({MakeStroke({{7, 7}})}, kBox, kTolerance);
  EXPECT_TRUE(recognizer.normalisedGesture().at(0).empty());
  std::vector<TestCandidate> candidates{{&symbol}};
  EXPECT_EQ(recognizer.recognize(CandidatePointers(candidates)), nullptr);
  EXPECT_FALSE(recognizer.resultIndex());
  EXPECT_EQ(recognizer.resultScore(), kNoMatch);
}

TEST(SymbolRecognizer, GesturesWithoutPointsOrStrokesMatchNothing) {
  const Symbol noStrokes = MakeSymbol({Shape()});
  const Symbol oneStroke = MakeSymbol({MakeShape({Curve()})});
  for (const Gesture& gesture : {Gesture{}, Gesture{Stroke{}}, Gesture{Stroke{}, Stroke{}}}) {
    SymbolRecognizer recognizer(gesture, kBox, kTolerance);
    std::vector<TestCandidate> candidates{{&noStrokes}, {&oneStroke}};
    EXPECT_EQ(recognizer.recognize(CandidatePointers(candidates)), nullptr) << gesture.size();
  }
}

// The far corner of a stroke set shows the scale factors: the walk of the
// first segment emits max(|dx|, |dy|) points, so the second segment starts at
// the mapped corner.
TEST(SymbolRecognizer, AspectLimitOfFourDecidesBetweenUniformAndStretchedScaling) {
  struct Case { int w, h; Point corner; };
  const Case cases[] = {
      {200, 10, {100, 5}},    // ratio 20: uniform by the long side (x 0.5)
      {200, 40, {100, 20}},   // ratio exactly 5: still uniform
      {200, 50, {100, 100}},  // ratio exactly 4: each axis on its own
      {201, 50, {100, 24}},   // just above 4 as a real ratio: uniform
      {10, 200, {5, 100}},    // the same limits for tall sets
      {50, 200, {100, 100}},
      {50, 201, {24, 100}},
      {3, 1, {100, 100}},
      {0, 0, {0, 0}},         // a single spot: sides count as 1, nothing to walk
  };
  for (const Case& c : cases) {
    const Stroke stroke = MakeStroke({{10, 20}, {10 + c.w, 20 + c.h}, {10, 20}});
    const BoundingBox box{10, 20, 10 + c.w, 20 + c.h};
    const Stroke normalised = NormaliseStroke(stroke, box, kBox);
    const size_t steps = static_cast<size_t>(std::max(c.corner.x, c.corner.y));
    ASSERT_EQ(normalised.size(), 2 * steps) << c.w << "x" << c.h;
    if (steps == 0)
      continue;
    EXPECT_EQ(normalised[0], (Point{0, 0}));
    EXPECT_EQ(normalised[steps], c.corner) << c.w << "x" << c.h;
  }
}

TEST(SymbolRecognizer, NormalisedStrokeOmitsItsLastPointAndRepeatedSpots) {
  const BoundingBox box{0, 0, 100, 100};
  // (0,0) -> (3,0) -> (3,0) -> (3,2): 3 + 0 + 2 points, (3,2) itself never appears.
  const Stroke normalised = NormaliseStroke(MakeStroke({{0, 0}, {3, 0}, {3, 0}, {3, 2}}), box, kBox);
  const Stroke expected = MakeStroke({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}});
  EXPECT_EQ(normalised, expected);
  EXPECT_TRUE(NormaliseStroke(MakeStroke({{4, 4}, {4, 4}, {4, 4}}), box, kBox).empty());
}

TEST(SymbolRecognizer, ToleranceZeroDemandsCoincidingPointsInOrder) {
  const Stroke drawn = MakeStroke({{0, 0}, {50, 50}, {100, 100}});
  const Stroke bent = MakeStroke({{0, 0}, {53, 47}, {100, 100}});
  const Symbol symbol = MakeSymbol({MakeShape({drawn})});
  std::vector<TestCandidate> candidates{{&symbol}};

  SymbolRecognizer exactZero({drawn}, kBox, 0);
  EXPECT_EQ(exactZero.radius(), 0);
  EXPECT_EQ(exactZero.recognize(CandidatePointers(candidates)), &candidates[0]);
  EXPECT_EQ(exactZero.resultScore(), 0.0f);

  SymbolRecognizer bentZero({bent}, kBox, 0);
  EXPECT_EQ(bentZero.recognize(CandidatePointers(candidates)), nullptr);

  SymbolRecognizer bentDefault({bent}, kBox, kTolerance);
  EXPECT_EQ(bentDefault.recognize(CandidatePointers(candidates)), &candidates[0]);
  EXPECT_GT(bentDefault.resultScore(), 0.0f);
}

TEST(SymbolRecognizer, TwoStrokeGestureMatchesOnlyTwoStrokeShapesInEitherOrder) {
  const Stroke top = Line({0, 0}, {100, 0});
  const Stroke right = Line({100, 0}, {100, 100});
  const Stroke bottom = Line({100, 100}, {0, 100});
  const Symbol otherCounts = MakeSymbol({MakeShape({top}), MakeShape({top, right, bottom})});
  const Symbol twoStrokes = MakeSymbol({MakeShape({right, top})});

  for (const Gesture& gesture : {Gesture{top, right}, Gesture{right, top}}) {
    SymbolRecognizer recognizer(gesture, kBox, kTolerance);
    EXPECT_EQ(recognizer.symbolScore(otherCounts), kNoMatch);
    EXPECT_EQ(recognizer.symbolScore(twoStrokes), 0.0f);
    std::vector<TestCandidate> candidates{{&otherCounts}, {&twoStrokes}};
    EXPECT_EQ(recognizer.recognize(CandidatePointers(candidates)), &candidates[1]);
  }
  // The three-stroke shape is no match for two of its own strokes either.
  SymbolRecognizer recognizer({top, right}, kBox, kTolerance);
  EXPECT_EQ(recognizer.shapeScore(MakeShape({top, right, bottom})), kNoMatch);
}

// Every stroke spans (0,0)-(100,100), so normalisation keeps the points as they are.
class SharedFavouriteStroke : public ::testing::Test {
 protected:
  const Stroke straight = MakeStroke({{0, 0}, {50, 50}, {100, 100}});
  const Stroke bentUp = MakeStroke({{0, 0}, {40, 60}, {100, 100}});
  const Stroke bentDown = MakeStroke({{0, 0}, {70, 30}, {100, 100}});
  const Shape shape = MakeShape({straight, bentUp});

  int32_t distance(const Stroke& a, const Stroke& b) const {
    const BoundingBox box{0, 0, 100, 100};
    return StrokeDistance(NormaliseStroke(a, box, kBox), NormaliseStroke(b, box, kBox), 30);
  }
};

TEST_F(SharedFavouriteStroke, LaterGestureStrokeMustTakeTheStrokeLeftOver) {
  // Both gesture strokes fit the straight shape stroke best; only the
  // straight gesture stroke also fits the bent one.
  ASSERT_EQ(distance(straight, straight), 0);
  ASSERT_NE(distance(straight, bentUp), kNoDistance);
  ASSERT_NE(distance(bentDown, straight), kNoDistance);
  ASSERT_EQ(distance(bentDown, bentUp), kNoDistance);

  // Drawn straight first: it takes the straight stroke, the bent one is left
  // with a pairing that fails, and so does the shape.
  SymbolRecognizer straightFirst({straight, bentDown}, kBox, kTolerance);
  EXPECT_EQ(straightFirst.shapeScore(shape), kNoMatch);

  // Drawn the other way round the greedy pairing works out.
  SymbolRecognizer bentFirst({bentDown, straight}, kBox, kTolerance);
  const float score = bentFirst.shapeScore(shape);
  EXPECT_LT(score, kNoMatch);
  const BoundingBox box{0, 0, 100, 100};
  const float expected =
      static_cast<float>(distance(bentDown, straight)) /
          static_cast<float>(NormaliseStroke(straight, box, kBox).size()) +
      static_cast<float>(distance(straight, bentUp)) /
          static_cast<float>(NormaliseStroke(bentUp, box, kBox).size());
  EXPECT_FLOAT_EQ(score, expected);
}

TEST(SymbolRecognizer, DivisorIsTheLengthOfTheShapeStroke) {
  // Both sets span (0,0)-(100,100). The overshooting stroke normalises to 110
  // points, the straight one to 100; their distance is 410 either way round.
  const Stroke straight = MakeStroke({{0, 0}, {100, 100}});
  const Stroke overshoot = MakeStroke({{0, 0}, {100, 100}, {90, 90}});
  const BoundingBox box{0, 0, 100, 100};
  ASSERT_EQ(NormaliseStroke(overshoot, box, kBox).size(), 110u);
  ASSERT_EQ(StrokeDistance(NormaliseStroke(straight, box, kBox), NormaliseStroke(overshoot, box, kBox), 30), 410);

  SymbolRecognizer straightGesture({straight}, kBox, kTolerance);
  EXPECT_FLOAT_EQ(straightGesture.shapeScore(MakeShape({overshoot})), 410.0f / 110.0f);
  SymbolRecognizer overshootGesture({overshoot}, kBox, kTolerance);
  EXPECT_FLOAT_EQ(overshootGesture.shapeScore(MakeShape({straight})), 410.0f / 100.0f);
}

TEST(SymbolRecognizer, TiesKeepTheEarlierCandidate) {
  const Symbol first = MakeSymbol({MakeShape({Curve()})});
  const Symbol second = first;
  const Symbol rough = MakeSymbol({MakeShape({Curve(3)})});
  SymbolRecognizer recognizer({Curve(2)}, kBox, kTolerance);
  ASSERT_EQ(recognizer.symbolScore(first), recognizer.symbolScore(second));
  ASSERT_LT(recognizer.symbolScore(first), kNoMatch);
  std::vector<TestCandidate> candidates{{&rough}, {&second}, {&first}, {&rough}};
  const float roughScore = recognizer.symbolScore(rough);
  const float curveScore = recognizer.symbolScore(first);
  ASSERT_NE(roughScore, curveScore);
  const size_t expected = curveScore < roughScore ? 1 : 0;
  EXPECT_EQ(recognizer.recognize(CandidatePointers(candidates)), &candidates[expected]);
  // Reversed, the better symbol still wins at its first place.
  std::vector<TestCandidate> reversed{{&rough}, {&first}, {&second}, {&rough}};
  EXPECT_EQ(recognizer.recognize(CandidatePointers(reversed)), &reversed[expected]);
}

TEST(SymbolRecognizer, WalkNeverGoesBackToEarlierShapePoints) {
  const BoundingBox box{0, 0, 100, 0};
  const Stroke shape = NormaliseStroke(MakeStroke({{0, 0}, {100, 0}}), box, kBox);
  // Out and back: the way back lies on points the walk has already passed.
  const Stroke outAndBack = MakeStroke({{0, 0}, {10, 0}, {20, 0}, {10, 0}, {0, 0}, {0, 0}});
  EXPECT_EQ(DirectedDistance(outAndBack, shape, 5), kNoDistance);
  EXPECT_EQ(DirectedDistance(MakeStroke({{0, 0}, {10, 0}, {20, 0}}), shape, 5), 0);

  // The same through recognition: a gesture that retraces its path does not
  // fit a stroke drawn once, although every point lies on it.
  const Symbol once = MakeSymbol({MakeShape({Line({0, 0}, {200, 0})})});
  std::vector<TestCandidate> candidates{{&once}};
  SymbolRecognizer retraced({MakeStroke({{0, 0}, {200, 0}, {0, 0}, {200, 0}})}, kBox, kTolerance);
  EXPECT_EQ(retraced.recognize(CandidatePointers(candidates)), nullptr);
  SymbolRecognizer straight({MakeStroke({{0, 0}, {100, 0}, {200, 0}})}, kBox, kTolerance);
  EXPECT_EQ(straight.recognize(CandidatePointers(candidates)), &candidates[0]);
}

TEST(SymbolRecognizer, DirectedDistanceSumsSquaresFromTheCurrentPosition) {
  struct Case { Stroke a, b; int radius; int32_t expected; };
  const Case cases[] = {
      {{}, MakeStroke({{0, 0}}), 0, 0},
      {{}, {}, 0, 0},
      {MakeStroke({{0, 0}}), {}, 30, kNoDistance},
      // Several points of A may share one point of B.
      {MakeStroke({{1, 0}, {2, 0}, {0, 2}}), MakeStroke({{0, 0}, {9, 9}}), 5, 1 + 4 + 4},
      // The nearer point ahead counts, not the first one within the radius.
      {MakeStroke({{3, 0}}), MakeStroke({{0, 0}, {3, 0}}), 3, 0},
      {MakeStroke({{2, 0}, {3, 0}}), MakeStroke({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {9, 0}}), 30, 0},
      {MakeStroke({{3, 1}}), MakeStroke({{0, 0}, {3, 0}, {6, 0}, {3, 0}}), 5, 1},
      // Acceptance follows the first point within the radius: (4,0) is taken
      // by (5,0), although the nearest walk already moved on to (10,0).
      {MakeStroke({{0, 0}, {10, 0}, {4, 0}}), MakeStroke({{0, 0}, {5, 0}, {10, 0}}), 5, 1},
      {MakeStroke({{0, 0}, {10, 0}, {-1, 0}}), MakeStroke({{0, 0}, {5, 0}, {10, 0}}), 5, kNoDistance},
      // Exactly on the radius still counts.
      {MakeStroke({{3, 4}}), MakeStroke({{0, 0}}), 5, 25},
      {MakeStroke({{3, 4}}), MakeStroke({{0, 0}}), 4, kNoDistance},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DirectedDistance(c.a, c.b, c.radius), c.expected) << c.a.size() << " " << c.radius;
}

TEST(SymbolRecognizer, StrokeDistanceAddsBothDirectionsOrFails) {
  const Stroke a = MakeStroke({{0, 0}, {4, 0}});
  const Stroke b = MakeStroke({{1, 0}});
  EXPECT_EQ(StrokeDistance(a, b, 3), 1 + 9 + 1);
  EXPECT_EQ(StrokeDistance(b, a, 3), 1 + 1 + 9);
  EXPECT_EQ(StrokeDistance(a, b, 2), kNoDistance);  // (4,0) is 3 away
  EXPECT_EQ(StrokeDistance(Stroke{}, b, 3), kNoDistance);  // empty one way, no match the other
}

TEST(SymbolRecognizer, SymbolsWithoutFittingShapesAndNullCandidatesAreSkipped) {
  const Symbol noShapes;
  const Symbol emptyShape = MakeSymbol({Shape()});
  const Symbol twoStrokes = MakeSymbol({MakeShape({Curve(), Shifted(Curve(), 0, 200)})});
  const Symbol match = MakeSymbol({MakeShape({Curve(1)})});
  std::vector<TestCandidate> candidates{{nullptr}, {&noShapes}, {&emptyShape}, {&twoStrokes}, {&match}};
  std::vector<TestCandidate*> pointers = CandidatePointers(candidates);
  pointers.insert(pointers.begin() + 2, nullptr);
  SymbolRecognizer recognizer({Curve()}, kBox, kTolerance);
  EXPECT_EQ(recognizer.recognize(pointers), &candidates[4]);
  EXPECT_EQ(recognizer.resultIndex(), 5u);

  pointers.pop_back();
  EXPECT_EQ(recognizer.recognize(pointers), nullptr);
  EXPECT_FALSE(recognizer.resultIndex());
  EXPECT_EQ(recognizer.recognize(std::vector<TestCandidate*>{}), nullptr);
}

TEST(SymbolRecognizer, BestShapeOfASymbolCounts) {
  const Symbol symbol = MakeSymbol({MakeShape({Line({0, 0}, {0, 100})}), MakeShape({Curve(2)}),
                                    MakeShape({Curve()}), MakeShape({Curve(3)})});
  SymbolRecognizer recognizer({Curve()}, kBox, kTolerance);
  EXPECT_EQ(recognizer.symbolScore(symbol), 0.0f);
  EXPECT_EQ(recognizer.symbolScore(Symbol{}), kNoMatch);
}

TEST(SymbolRecognizer, ConstCandidatesAreAccepted) {
  const Symbol symbol = MakeSymbol({MakeShape({Curve()})});
  const TestCandidate candidate{&symbol};
  SymbolRecognizer recognizer({Curve()}, kBox, kTolerance);
  const std::vector<const TestCandidate*> candidates{&candidate};
  const TestCandidate* winner = recognizer.recognize(candidates);
  EXPECT_EQ(winner, &candidate);
}

TEST(SymbolRecognizer, ShapeWithEmptyFirstStrokeIsScoredWithoutFault) {
  // Stored files may hold empty strokes; the box comes from the points there are.
  const Shape shape = MakeShape({Stroke{}, Curve()});
  SymbolRecognizer recognizer({Curve(), Curve()}, kBox, kTolerance);
  EXPECT_EQ(recognizer.shapeScore(shape), kNoMatch);
  SymbolRecognizer single({Curve()}, kBox, kTolerance);
  EXPECT_EQ(single.shapeScore(MakeShape({Stroke{}})), kNoMatch);
}

}  // namespace
