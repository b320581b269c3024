// The recognizer against the plain transcription of the matching rules
// (tests/gesture/reference_recognizer.h). Winner, winning score and every
// symbol's score must agree bit for bit: on seeded random gestures, one- and
// multi-stroke; on gestures drawn by people (read from the logs beside the
// checkout, when they are there); and on long strokes at large tolerances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <optional>
#include <random>

#include "gesture/symbol_recognizer.h"
#include "tests/gesture/gesture_test_support.h"
#include "tests/gesture/reference_recognizer.h"
#include "tests/support/real_gestures.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class RandomSymbols {
 public:
  explicit RandomSymbols(uint32_t seed) : random_(seed) {}

  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  // A drawn-looking polyline: a random walk that keeps its heading for a while.
  Stroke stroke() {
    Stroke stroke;
    const int count = uniform(0, 9) == 0 ? uniform(1, 2) : uniform(3, 40);
    int x = uniform(-50, 300), y = uniform(-50, 300);
    double heading = uniform(0, 359) * kPi / 180;
    for (int i = 0; i < count; ++i) {
      stroke.push_back({x, y});
      if (uniform(0, 12) == 0) continue;  // a repeated point
      heading += (uniform(-30, 30)) * kPi / 180;
      const int step = uniform(1, 25);
      x += static_cast<int>(std::lround(step * std::cos(heading)));
      y += static_cast<int>(std::lround(step * std::sin(heading)));
    }
    return stroke;
  }

  Shape shape(int strokes) {
    Shape shape;
    for (int i = 0; i < strokes; ++i) shape.addStroke(stroke());
    return shape;
  }

  Symbol symbol() {
    Symbol symbol;
    const int shapes = uniform(0, 12) == 0 ? 0 : uniform(1, 3);
    for (int i = 0; i < shapes; ++i) symbol.addShape(shape(uniform(1, 3)));
    return symbol;
  }

  // A hand's rendering of a stored shape: moved, scaled, shaken, and its
  // strokes possibly drawn in another order.
  Gesture imitate(const Shape& shape) {
    Gesture gesture = shape.strokes();
    const int dx = uniform(-500, 500), dy = uniform(-500, 500);
    const int scaleX = uniform(1, 4), scaleY = uniform(0, 2) ? scaleX : uniform(1, 4);
    const int shake = uniform(0, 6);
    for (Stroke& stroke : gesture)
      for (Point& p : stroke) {
        p.x = p.x * scaleX + dx + uniform(-shake, shake);
        p.y = p.y * scaleY + dy + uniform(-shake, shake);
      }
    if (uniform(0, 1)) std::shuffle(gesture.begin(), gesture.end(), random_);
    return gesture;
  }

 private:
  std::mt19937 random_;
};

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The reference's choice: the first candidate with the strictly lowest score.
std::optional<size_t> FirstLowest(const std::vector<float>& scores) {
  std::optional<size_t> winner;
  for (size_t i = 0; i < scores.size(); ++i)
    if (scores[i] < (winner ? scores[*winner] : reference::kNoScore)) winner = i;
  return winner;
}

// Recognises `gesture` among `candidates` (null ones are passed over) with
// both recognizers. Every symbol's score must match, and so must the winner
// and its score, both in the given order and with the candidates reordered
// so that each beats the one before: then a cut-off bound is as tight as it
// gets and no pairing may be cut short by mistake. Returns the winner's
// position in the given order; a mismatch is a test failure.
std::optional<size_t> ExpectSameAsReference(const Gesture& gesture,
                                            const std::vector<const Symbol*>& candidates,
                                            int tolerance) {
  SymbolRecognizer fast(gesture, 100, tolerance);
  const reference::Recognizer plain(gesture, 100, tolerance);
  std::vector<float> expected(candidates.size(), reference::kNoScore);
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (!candidates[i]) continue;
    const auto same = std::find(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(i), candidates[i]);
    expected[i] = same != candidates.begin() + static_cast<std::ptrdiff_t>(i)
                      ? expected[static_cast<size_t>(same - candidates.begin())]
                      : plain.symbolScore(*candidates[i]);
    const float score = fast.symbolScore(*candidates[i]);
    EXPECT_TRUE(SameBits(score, expected[i]))
        << "candidate " << i << ": " << score << " instead of " << expected[i];
  }

  std::vector<size_t> worstFirst(candidates.size());
  std::iota(worstFirst.begin(), worstFirst.end(), size_t{0});
  std::stable_sort(worstFirst.begin(), worstFirst.end(),
                   [&](size_t a, size_t b) { return expected[a] > expected[b]; });
  std::vector<size_t> given(candidates.size());
  std::iota(given.begin(), given.end(), size_t{0});

  std::optional<size_t> winnerInGivenOrder;
  for (const std::vector<size_t>* order : {&given, &worstFirst}) {
    std::vector<TestCandidate> list;
    std::vector<float> scores;
    for (size_t i : *order) {
      list.push_back({candidates[i]});
      scores.push_back(expected[i]);
    }
    const std::optional<size_t> expectedWinner = FirstLowest(scores);
    const TestCandidate* winner = fast.recognize(CandidatePointers(list));
    const char* name = order == &given ? "given order" : "each beating the last";
    EXPECT_EQ(fast.resultIndex(), expectedWinner) << name;
    if (expectedWinner && fast.resultIndex() == expectedWinner) {
      EXPECT_EQ(winner, &list[*expectedWinner]) << name;
      EXPECT_TRUE(SameBits(fast.resultScore(), scores[*expectedWinner])) << name;
    }
    if (order == &given) winnerInGivenOrder = expectedWinner;
  }
  return winnerInGivenOrder;
}

TEST(SymbolRecognizerReference, RandomGesturesGetTheSameWinnerAndScores) {
  RandomSymbols random(20260101);
  std::vector<Symbol> symbols;
  for (int i = 0; i < 40; ++i) symbols.push_back(random.symbol());
  // Exact duplicates, so that ties between candidates occur.
  for (int i = 0; i < 5; ++i) symbols.push_back(symbols[random.uniform(0, 39)]);
  std::vector<const Symbol*> candidates;
  for (const Symbol& symbol : symbols) candidates.push_back(&symbol);
  candidates.insert(candidates.begin() + 7, nullptr);

  int winners = 0, multiStrokeWinners = 0;
  for (int round = 0; round < 300 && !HasFailure(); ++round) {
    Gesture gesture;
    if (random.uniform(0, 4) == 0) {
      gesture = random.shape(random.uniform(1, 3)).strokes();
    } else {
      const Symbol& source = symbols[random.uniform(0, static_cast<int>(symbols.size()) - 1)];
      if (source.shapes().empty()) continue;
      gesture = random.imitate(source.shapes()[random.uniform(0, static_cast<int>(source.shapeCount()) - 1)]);
    }
    if (gesture[0].empty()) continue;
    SCOPED_TRACE("round " + std::to_string(round));
    if (ExpectSameAsReference(gesture, candidates, 10 * random.uniform(0, 5))) {
      ++winners;
      if (gesture.size() > 1) ++multiStrokeWinners;
    }
  }
  // The comparison only means something if plenty of gestures were recognised.
  std::printf("%d winners, %d with several strokes\n", winners, multiStrokeWinners);
  EXPECT_GT(winners, 100);
  EXPECT_GT(multiStrokeWinners, 50);
}

constexpr int kRealTolerances[] = {10, 20, 30, 50, 100};

// Some samples of every type of one subject at one speed become templates,
// the others are drawn as gestures.
struct RealSplit {
  std::vector<std::string> types;
  std::vector<std::vector<const Stroke*>> templates;  // by type
  std::vector<std::vector<const Stroke*>> drawn;      // by type
};

RealSplit SplitRealSet(const RealGestureSet& set, size_t templatesPerType, std::mt19937& random) {
  RealSplit split;
  for (const auto& [type, samples] : set.samplesByType) {
    std::vector<const Stroke*> shuffled;
    for (const Stroke& sample : samples) shuffled.push_back(&sample);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    const size_t cut = std::min(templatesPerType, shuffled.size());
    split.types.push_back(type);
    split.templates.emplace_back(shuffled.begin(), shuffled.begin() + cut);
    split.drawn.emplace_back(shuffled.begin() + cut, shuffled.end());
  }
  return split;
}

// The usual measure on these logs: per subject and speed, three samples of
// each type as templates; a sample not among them is recognised. Every
// other set puts each template in a candidate of its own (48 candidates:
// a long list, scored lowest first), the others one symbol per type.
TEST(SymbolRecognizerReference, RealGesturesGetTheSameWinnerAndScores) {
  if (RealGestures().empty()) GTEST_SKIP() << "no gesture logs in " << ZAVOTRA_REAL_GESTURES;
  std::mt19937 random(19);
  int rounds = 0, correct = 0;
  for (size_t s = 0; s < RealGestures().size(); ++s) {
    const RealGestureSet& set = RealGestures()[s];
    const RealSplit split = SplitRealSet(set, 3, random);
    const bool ownCandidates = s % 2 == 1;
    std::vector<Symbol> symbols;
    std::vector<size_t> typeOf;  // of each symbol
    for (size_t t = 0; t < split.types.size(); ++t)
      for (size_t k = 0; k < split.templates[t].size(); ++k) {
        if (ownCandidates || k == 0) {
          symbols.emplace_back();
          typeOf.push_back(t);
        }
        symbols.back().addShape().addStroke(*split.templates[t][k]);
      }
    std::vector<const Symbol*> candidates;
    for (const Symbol& symbol : symbols) candidates.push_back(&symbol);

    // Half the types in each set, the other half in the next.
    for (size_t t = s % 2; t < split.types.size() && !HasFailure(); t += 2) {
      if (split.drawn[t].empty()) continue;
      const int tolerance = kRealTolerances[rounds % std::size(kRealTolerances)];
      SCOPED_TRACE(set.name + " " + split.types[t] + " at tolerance " + std::to_string(tolerance));
      const Gesture gesture{*split.drawn[t][static_cast<size_t>(rounds) % split.drawn[t].size()]};
      ++rounds;
      const std::optional<size_t> winner = ExpectSameAsReference(gesture, candidates, tolerance);
      if (winner && typeOf[*winner] == t) ++correct;
    }
  }
  // Real gestures that are mostly read right: the comparison covered the
  // close calls that matter.
  std::printf("%d of %d real gestures read right\n", correct, rounds);
  EXPECT_GT(rounds, 100);
  EXPECT_GT(correct, rounds * 3 / 4);
}

// Hundreds of candidates: the recognizer screens them all first and scores
// the most promising first. Symbols of one to three samples drawn by
// anybody, some with a two-stroke shape (which a one-stroke gesture never
// matches), duplicates and a null candidate among them.
TEST(SymbolRecognizerReference, RealGesturesAmongHundredsOfCandidatesGetTheSameWinnerAndScores) {
  if (RealGestures().empty()) GTEST_SKIP() << "no gesture logs in " << ZAVOTRA_REAL_GESTURES;
  std::mt19937 random(190);
  auto below = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
  std::vector<std::pair<size_t, const Stroke*>> samples;  // type, points
  std::vector<std::string> types;
  for (const RealGestureSet& set : RealGestures())
    for (const auto& [type, strokes] : set.samplesByType) {
      const size_t t = static_cast<size_t>(std::find(types.begin(), types.end(), type) - types.begin());
      if (t == types.size()) types.push_back(type);
      for (const Stroke& stroke : strokes) samples.push_back({t, &stroke});
    }
  std::shuffle(samples.begin(), samples.end(), random);
  const size_t kGestures = 40, kSymbols = 300;
  ASSERT_GT(samples.size(), kGestures + 3 * kSymbols);

  std::vector<Symbol> symbols(kSymbols);
  size_t next = kGestures;
  for (Symbol& symbol : symbols) {
    for (size_t shapes = 1 + below(3); shapes-- > 0;) symbol.addShape().addStroke(*samples[next++].second);
    if (below(8) == 0) {
      Shape& twoStrokes = symbol.addShape();
      twoStrokes.addStroke(*samples[next++].second);
      twoStrokes.addStroke(Shifted(*samples[next++].second, 300, 0));
    }
  }
  std::vector<const Symbol*> candidates;
  for (const Symbol& symbol : symbols) candidates.push_back(&symbol);
  for (int i = 0; i < 10; ++i) candidates.push_back(candidates[below(kSymbols)]);
  candidates.insert(candidates.begin() + 17, nullptr);

  int winners = 0;
  for (size_t g = 0; g < kGestures && !HasFailure(); ++g) {
    const int tolerance = kRealTolerances[g % std::size(kRealTolerances)];
    SCOPED_TRACE(types[samples[g].first] + " at tolerance " + std::to_string(tolerance));
    if (ExpectSameAsReference({*samples[g].second}, candidates, tolerance)) ++winners;
  }
  EXPECT_GT(winners, 30);
}

// Among many candidates a tie is rare but must still go to the earlier one,
// also when the later one is scored first. The same straight stroke drawn
// with an extra point in its middle scores exactly the same, but its lowest
// possible score counts that point too, so it is scored after the plain one
// although it comes first in the list. The other candidates, crossing the
// square, never match.
TEST(SymbolRecognizerReference, TiesAmongManyCandidatesGoToTheEarlierOne) {
  const Stroke gesture = MakeStroke({{0, 0}, {40, 6}, {100, 0}});
  const Symbol withMiddlePoint = MakeSymbol({MakeShape({MakeStroke({{0, 0}, {50, 0}, {100, 0}})})});
  const Symbol plain = MakeSymbol({MakeShape({MakeStroke({{0, 0}, {100, 0}})})});
  const Symbol crossing = MakeSymbol({MakeShape({MakeStroke({{0, 0}, {0, 100}})})});
  std::vector<const Symbol*> candidates{&withMiddlePoint, &plain};
  candidates.resize(300, &crossing);
  SymbolRecognizer recognizer({gesture}, 100, 30);
  ASSERT_EQ(recognizer.symbolScore(withMiddlePoint), recognizer.symbolScore(plain));
  EXPECT_EQ(ExpectSameAsReference({gesture}, candidates, 30), std::optional<size_t>(0));
}

// Two real samples side by side make a two-stroke shape; the gesture draws
// two other samples of the same types, in either order, the second placed a
// little differently. The greedy pairing then meets strokes of real shape.
TEST(SymbolRecognizerReference, RealTwoStrokeGesturesGetTheSameWinnerAndScores) {
  if (RealGestures().empty()) GTEST_SKIP() << "no gesture logs in " << ZAVOTRA_REAL_GESTURES;
  std::mt19937 random(1919);
  auto offset = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  int rounds = 0, correct = 0;
  for (const RealGestureSet& set : RealGestures()) {
    const RealSplit split = SplitRealSet(set, 2, random);
    const size_t types = split.types.size();
    // Symbol t: types t and t + 1, each template pair a shape.
    std::vector<Symbol> symbols(types);
    for (size_t t = 0; t < types; ++t)
      for (size_t k = 0; k < split.templates[t].size() && k < split.templates[(t + 1) % types].size(); ++k) {
        Shape& shape = symbols[t].addShape();
        shape.addStroke(*split.templates[t][k]);
        shape.addStroke(Shifted(*split.templates[(t + 1) % types][k], 250, 0));
      }
    // Each symbol twice: a long list, with ties.
    std::vector<const Symbol*> candidates;
    for (int copy = 0; copy < 2; ++copy)
      for (const Symbol& symbol : symbols) candidates.push_back(&symbol);

    // A third of the pairs of types in each set, another third in the next.
    for (size_t t = static_cast<size_t>(rounds) % 3; t < types && !HasFailure(); t += 3) {
      const std::vector<const Stroke*>& first = split.drawn[t];
      const std::vector<const Stroke*>& second = split.drawn[(t + 1) % types];
      if (first.empty() || second.empty()) continue;
      Gesture gesture{*first[static_cast<size_t>(rounds) % first.size()],
                      Shifted(*second[static_cast<size_t>(rounds) % second.size()], offset(180, 320), offset(-40, 40))};
      if (offset(0, 1)) std::swap(gesture[0], gesture[1]);
      const int tolerance = kRealTolerances[rounds % std::size(kRealTolerances)];
      SCOPED_TRACE(set.name + " " + split.types[t] + " at tolerance " + std::to_string(tolerance));
      ++rounds;
      if (ExpectSameAsReference(gesture, candidates, tolerance) == t) ++correct;
    }
  }
  std::printf("%d of %d two-stroke real gestures read right\n", correct, rounds);
  EXPECT_GT(rounds, 70);
  EXPECT_GT(correct, rounds / 3);
}

// Long strokes at large tolerances, where the first acceptable point of a
// walk and the nearest one lie far apart: an exact copy, shaken copies, a
// copy drawn at another pace and the stroke drawn backwards.
TEST(SymbolRecognizerReference, LongStrokesAtLargeTolerancesGetTheSameScores) {
  const Stroke drawn = Zigzag(3000, 6, 7);
  std::vector<Symbol> symbols;
  for (const Stroke& stroke : {Zigzag(3000), Zigzag(3000, 6, 8), Zigzag(3000, 25, 9), Zigzag(2000, 0, 1, 1000, 10, 7),
                               Stroke(drawn.rbegin(), drawn.rend())})
    symbols.push_back(MakeSymbol({MakeShape({stroke})}));
  std::vector<const Symbol*> candidates;
  for (const Symbol& symbol : symbols) candidates.push_back(&symbol);
  for (const int tolerance : {30, 50, 100}) {
    SCOPED_TRACE("tolerance " + std::to_string(tolerance));
    EXPECT_TRUE(ExpectSameAsReference({drawn}, candidates, tolerance).has_value());
  }
}

}  // namespace
