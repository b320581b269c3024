// The precise recognizer: orientation counts, multi-stroke shapes in any
// stroke order and direction, refusal of what resembles nothing, the
// template cache that must notice a changed symbol, and the quick bounds
// that must never change a result.
#include "gesture/precise_recognizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/gesture/gesture_test_support.h"

namespace {
constexpr float kNoMatch = PreciseRecognizer::kNoMatchScore;

// A polyline through `corners`, with a point every few pixels as a mouse
// gives them.
Stroke Drawn(std::initializer_list<Point> corners, int step = 4) {
  Stroke stroke;
  const Point* previous = nullptr;
  for (const Point& corner : corners) {
    if (previous) {
      const int dx = corner.x - previous->x, dy = corner.y - previous->y;
      const int steps = std::max(1, static_cast<int>(std::hypot(dx, dy) / step));
      for (int i = 1; i <= steps; ++i) stroke.push_back(Point{previous->x + dx * i / steps, previous->y + dy * i / steps});
    } else {
      stroke.push_back(corner);
    }
    previous = &corner;
  }
  return stroke;
}

Stroke Reversed(Stroke stroke) {
  std::reverse(stroke.begin(), stroke.end());
  return stroke;
}

// Every point moved a little, the same way each time.
Stroke Wobbly(const Stroke& stroke, int amount, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> wobble(-amount, amount);
  Stroke out;
  for (const Point& p : stroke) out.push_back(Point{p.x + wobble(random), p.y + wobble(random)});
  return out;
}

Stroke Scaled(const Stroke& stroke, int numerator, int denominator, Point offset) {
  Stroke out;
  for (const Point& p : stroke) out.push_back(Point{p.x * numerator / denominator + offset.x, p.y * numerator / denominator + offset.y});
  return out;
}

// One-stroke shapes that differ only by orientation or direction.
const Stroke kRightArrow = Drawn({{0, 100}, {200, 100}, {150, 50}, {200, 100}, {150, 150}});
const Stroke kLeftArrow = Drawn({{200, 100}, {0, 100}, {50, 50}, {0, 100}, {50, 150}});
const Stroke kCaret = Drawn({{0, 200}, {100, 0}, {200, 200}});
const Stroke kVee = Drawn({{0, 0}, {100, 200}, {200, 0}});
const Stroke kSwipeRight = Drawn({{0, 0}, {300, 10}});
const Stroke kSwipeLeft = Drawn({{300, 10}, {0, 0}});
const Stroke kSquare = Drawn({{0, 0}, {0, 200}, {200, 200}, {200, 0}, {0, 0}});

// The strokes of a few multi-stroke shapes in their stored order.
const std::vector<Stroke> kCross = {Drawn({{0, 0}, {200, 200}}), Drawn({{200, 0}, {0, 200}})};
const std::vector<Stroke> kPlus = {Drawn({{100, 0}, {100, 200}}), Drawn({{0, 100}, {200, 100}})};
const std::vector<Stroke> kStar = {Drawn({{0, 100}, {200, 100}}), Drawn({{100, 0}, {100, 200}}),
                                   Drawn({{20, 20}, {180, 180}})};
const std::vector<Stroke> kEqual = {Drawn({{0, 60}, {200, 60}}), Drawn({{0, 140}, {200, 140}})};

Symbol SymbolOf(const std::vector<Stroke>& strokes) {
  Symbol symbol;
  Shape& shape = symbol.addShape();
  for (const Stroke& stroke : strokes) shape.addStroke(stroke);
  return symbol;
}

class PreciseRecognizerTest : public ::testing::Test {
 protected:
  // The index of the winner among `symbols`, or -1.
  int winner(const Gesture& gesture, const std::vector<const Symbol*>& symbols) {
    std::vector<TestCandidate> candidates;
    for (const Symbol* symbol : symbols) candidates.push_back(TestCandidate{symbol});
    PreciseRecognizer recognizer(gesture, cache_);
    const TestCandidate* chosen = recognizer.recognize(CandidatePointers(candidates));
    return chosen ? static_cast<int>(chosen - candidates.data()) : -1;
  }
  float score(const Gesture& gesture, const Symbol& symbol) {
    PreciseRecognizer recognizer(gesture, cache_);
    return recognizer.symbolScore(symbol);
  }

  PreciseTemplateCache cache_;
};
}  // namespace

TEST_F(PreciseRecognizerTest, ACopyAnywhereAndAtAnySizeScoresZeroAndWins) {
  const Symbol square = SymbolOf({kSquare});
  const Symbol caret = SymbolOf({kCaret});
  for (const Stroke& drawn : {kSquare, Scaled(kSquare, 1, 4, {-3000, 50}), Scaled(kSquare, 7, 2, {900, 900})}) {
    EXPECT_NEAR(score({drawn}, square), 0.0f, 1e-3f);
    EXPECT_EQ(winner({drawn}, {&caret, &square, &caret}), 1);
  }
}

TEST_F(PreciseRecognizerTest, OrientationAndDirectionCount) {
  const Symbol right = SymbolOf({kRightArrow}), left = SymbolOf({kLeftArrow});
  const Symbol caret = SymbolOf({kCaret}), vee = SymbolOf({kVee});
  const Symbol swipeRight = SymbolOf({kSwipeRight}), swipeLeft = SymbolOf({kSwipeLeft});
  const std::vector<const Symbol*> all = {&right, &left, &caret, &vee, &swipeRight, &swipeLeft};
  struct Case { Stroke drawn; int expected; };
  const Case cases[] = {{Wobbly(kRightArrow, 6, 1), 0}, {Wobbly(kLeftArrow, 6, 2), 1}, {Wobbly(kCaret, 6, 3), 2},
                        {Wobbly(kVee, 6, 4), 3},        {Wobbly(kSwipeRight, 3, 5), 4}, {Wobbly(kSwipeLeft, 3, 6), 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(winner({c.drawn}, all), c.expected);
    // Nor does the mirror or the reverse alone pass for it.
    std::vector<const Symbol*> others = all;
    others.erase(others.begin() + c.expected);
    EXPECT_EQ(winner({c.drawn}, others), -1);
  }
}

TEST_F(PreciseRecognizerTest, MultiStrokeShapesMatchInAnyStrokeOrderAndDirection) {
  const Symbol cross = SymbolOf(kCross), plus = SymbolOf(kPlus), star = SymbolOf(kStar), equal = SymbolOf(kEqual);
  const std::vector<const Symbol*> all = {&plus, &equal, &cross, &star};
  struct Case { std::vector<Stroke> strokes; int expected; };
  for (const Case& c : {Case{kCross, 2}, Case{kPlus, 0}, Case{kStar, 3}, Case{kEqual, 1}}) {
    std::vector<size_t> order(c.strokes.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    do {
      for (unsigned reversals = 0; reversals < (1u << order.size()); ++reversals) {
        Gesture gesture;
        for (size_t i = 0; i < order.size(); ++i) {
          const Stroke& stroke = c.strokes[order[i]];
          gesture.push_back(Wobbly((reversals >> i) & 1 ? Reversed(stroke) : stroke, 4, reversals + 10 * i));
        }
        SCOPED_TRACE(testing::Message() << c.expected << " reversals " << reversals);
        EXPECT_EQ(winner(gesture, all), c.expected);
      }
    } while (std::next_permutation(order.begin(), order.end()));
  }
}

TEST_F(PreciseRecognizerTest, ScoresOfAnyStrokeOrderAreTheScoreOfTheStoredOrder) {
  const Symbol star = SymbolOf(kStar);
  const Gesture stored = {Wobbly(kStar[0], 5, 1), Wobbly(kStar[1], 5, 2), Wobbly(kStar[2], 5, 3)};
  const float expected = score(stored, star);
  ASSERT_GT(expected, 0.0f);
  EXPECT_FLOAT_EQ(score({stored[2], stored[0], stored[1]}, star), expected);
  EXPECT_NEAR(score({Reversed(stored[1]), stored[2], Reversed(stored[0])}, star), expected, 1e-5f);
}

TEST_F(PreciseRecognizerTest, OnlyShapesOfTheGesturesStrokeCountAreScored) {
  Symbol both = SymbolOf(kCross);
  both.addShape().addStroke(kSquare);
  EXPECT_EQ(winner({kSquare}, {&both}), 0);
  EXPECT_EQ(winner(kCross, {&both}), 0);
  EXPECT_EQ(winner({kCross[0]}, {&both}), -1);         // one stroke of the cross is not a square
  EXPECT_EQ(score({kSquare, kSquare, kSquare}, both), kNoMatch);
}

TEST_F(PreciseRecognizerTest, WhatResemblesNothingIsRefused) {
  const Symbol right = SymbolOf({kRightArrow}), caret = SymbolOf({kCaret}), square = SymbolOf({kSquare});
  const Symbol swipe = SymbolOf({kSwipeRight}), cross = SymbolOf(kCross);
  const std::vector<const Symbol*> all = {&right, &caret, &square, &swipe, &cross};
  const Stroke scribble = Drawn({{0, 0}, {180, 30}, {10, 60}, {170, 90}, {40, 120}, {200, 140}, {0, 200}, {90, 10}});
  const Stroke spiral = [] {
    Stroke s;
    for (int i = 0; i < 120; ++i)
      s.push_back(Point{static_cast<int>(200 + i * std::cos(i * 0.2)), static_cast<int>(200 + i * std::sin(i * 0.2))});
    return s;
  }();
  const Stroke zigzag = Drawn({{0, 0}, {40, 200}, {80, 0}, {120, 200}, {160, 0}, {200, 200}});
  struct Case { const char* name; Gesture gesture; };
  const Case cases[] = {{"scribble", {scribble}},
                        {"spiral", {spiral}},
                        {"zigzag", {zigzag}},
                        {"two scribbles", {scribble, Reversed(zigzag)}},
                        {"one point", {Stroke{Point{5, 5}}}},
                        {"a tap in place", {Stroke{Point{5, 5}, Point{5, 5}, Point{5, 5}}}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TestCandidate> candidates;
    for (const Symbol* symbol : all) candidates.push_back(TestCandidate{symbol});
    PreciseRecognizer recognizer(c.gesture, cache_);
    EXPECT_EQ(recognizer.recognize(CandidatePointers(candidates)), nullptr);
    EXPECT_FALSE(recognizer.resultIndex().has_value());
    EXPECT_EQ(recognizer.resultScore(), kNoMatch);
    for (const Symbol* symbol : all) EXPECT_GT(recognizer.symbolScore(*symbol), PreciseRecognizer::kRefusalScore);
  }
}

TEST_F(PreciseRecognizerTest, EqualScoresGoToTheEarlierCandidateAndNullsArePassedOver) {
  const Symbol square = SymbolOf({kSquare});
  const Symbol copy = square;
  std::vector<TestCandidate> candidates{{nullptr}, {&copy}, {&square}};
  std::vector<TestCandidate*> pointers = CandidatePointers(candidates);
  pointers.insert(pointers.begin(), nullptr);
  PreciseRecognizer recognizer({Wobbly(kSquare, 5, 9)}, cache_);
  EXPECT_EQ(recognizer.recognize(pointers), &candidates[1]);
  EXPECT_EQ(recognizer.resultIndex(), 2u);
  EXPECT_LE(recognizer.resultScore(), PreciseRecognizer::kRefusalScore);
}

TEST_F(PreciseRecognizerTest, ASymbolChangedInPlaceIsPreparedAfresh) {
  Symbol symbol = SymbolOf({kCaret});
  EXPECT_EQ(winner({kCaret}, {&symbol}), 0);
  EXPECT_EQ(winner({kCaret}, {&symbol}), 0);
  EXPECT_EQ(cache_.preparations(), 1u);  // met twice, prepared once

  // The same symbol and the same number of points, every point mirrored: a vee now.
  Stroke& stroke = symbol.shapes()[0].strokes()[0];
  for (Point& p : stroke) p.y = 200 - p.y;
  EXPECT_EQ(winner({kCaret}, {&symbol}), -1);
  EXPECT_EQ(winner({kVee}, {&symbol}), 0);
  // A shape added, a shape taken away.
  symbol.addShape().addStroke(kCaret);
  EXPECT_EQ(winner({kCaret}, {&symbol}), 0);
  symbol.shapes().clear();
  EXPECT_EQ(winner({kCaret}, {&symbol}), -1);
  EXPECT_EQ(cache_.preparations(), 4u);
}

TEST_F(PreciseRecognizerTest, TheCacheForgetsSymbolsNoLongerMetOnceItIsFull) {
  std::vector<Symbol> symbols(PreciseTemplateCache::kMostSymbols + 1, SymbolOf({kSquare}));
  std::vector<TestCandidate> candidates;
  for (const Symbol& symbol : symbols) candidates.push_back(TestCandidate{&symbol});
  PreciseRecognizer({kSquare}, cache_).recognize(CandidatePointers(candidates));
  EXPECT_EQ(cache_.symbolCount(), symbols.size());  // all met in the latest recognition
  std::vector<TestCandidate> one{{&symbols[7]}};
  PreciseRecognizer({kSquare}, cache_).recognize(CandidatePointers(one));
  EXPECT_EQ(cache_.symbolCount(), 1u);
}

// The bounds that spare most matches must never change the outcome: a few
// random three-corner strokes, each stored several times with its corners
// moved a little, and drawn again with its corners moved more (which shifts
// its points along the way, so that the elastic match has work to do);
// compared with scoring every candidate in full.
TEST_F(PreciseRecognizerTest, RecognitionEqualsTheBestOfAllScoresInFull) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(0, 300);
  using Corners = std::vector<Point>;
  const auto moved = [&](const Corners& corners, int amount) {
    std::uniform_int_distribution<int> shift(-amount, amount);
    Corners out;
    for (const Point& p : corners) out.push_back(Point{p.x + shift(random), p.y + shift(random)});
    return Drawn({out[0], out[1], out[2]});
  };
  std::vector<Corners> bases;
  for (int i = 0; i < 8; ++i)
    bases.push_back({{coordinate(random), coordinate(random)}, {coordinate(random), coordinate(random)},
                     {coordinate(random), coordinate(random)}});
  std::vector<Symbol> symbols;
  for (int copy = 0; copy < 5; ++copy)
    for (const Corners& base : bases) symbols.push_back(SymbolOf({moved(base, 15)}));
  for (int i = 0; i < 8; ++i) symbols.push_back(symbols[static_cast<size_t>(i)]);  // exact ties
  std::vector<TestCandidate> candidates;
  for (const Symbol& symbol : symbols) candidates.push_back(TestCandidate{&symbol});
  int accepted = 0, refused = 0;
  for (unsigned trial = 0; trial < 400; ++trial) {
    const Gesture gesture = {Wobbly(moved(bases[trial % bases.size()], 10 + static_cast<int>(trial % 50)), 3, trial)};
    PreciseRecognizer recognizer(gesture, cache_);
    const TestCandidate* chosen = recognizer.recognize(CandidatePointers(candidates));
    float best = kNoMatch;
    int expected = -1;
    for (size_t i = 0; i < symbols.size(); ++i) {
      const float s = recognizer.symbolScore(symbols[i]);
      if (s < best) {
        best = s;
        expected = static_cast<int>(i);
      }
    }
    if (best > PreciseRecognizer::kRefusalScore) expected = -1;
    SCOPED_TRACE(trial);
    EXPECT_EQ(chosen ? static_cast<int>(chosen - candidates.data()) : -1, expected);
    if (chosen) {
      EXPECT_EQ(recognizer.resultScore(), best);
    }
    ++(chosen ? accepted : refused);
  }
  // The comparison covered winners and refusals alike.
  EXPECT_GT(accepted, 50);
  EXPECT_GT(refused, 10);
}

TEST_F(PreciseRecognizerTest, ManyStrokesPairGreedilyAndStillMatchTheirCopy) {
  std::vector<Stroke> strokes;
  for (int i = 0; i <= static_cast<int>(PreciseRecognizer::kMostStrokesPairedFully); ++i)
    strokes.push_back(Drawn({{i * 30, 0}, {i * 30 + 10, 100 + i * 7}}));
  const Symbol many = SymbolOf(strokes);
  EXPECT_NEAR(score(strokes, many), 0.0f, 1e-3f);
  EXPECT_EQ(winner(strokes, {&many}), 0);
}
