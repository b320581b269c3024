// The recognizer against a plain transcription of the matching rules, which
// normalises every shape stroke afresh for each pairing and scores shapes
// with more strokes than the gesture before rejecting them. Winner and score
// must agree exactly on many seeded random gestures, one- and multi-stroke.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

#include "gesture/symbol_recognizer.h"
#include "tests/gesture/gesture_test_support.h"

namespace reference {

constexpr int kNoDistance = INT_MAX;
constexpr float kNoScore = FLT_MAX;

struct Box { int left, top, right, bottom; };

Box BoxOf(const std::vector<Stroke>& strokes) {
  Box box{strokes[0][0].x, strokes[0][0].y, strokes[0][0].x, strokes[0][0].y};
  for (const Stroke& stroke : strokes)
    for (const Point& p : stroke) {
      box.left = std::min(box.left, p.x);
      box.top = std::min(box.top, p.y);
      box.right = std::max(box.right, p.x);
      box.bottom = std::max(box.bottom, p.y);
    }
  return box;
}

// LineDDA, as the system documents and implements it.
void Dda(int x, int y, int xEnd, int yEnd, Stroke& out) {
  int dx = xEnd - x, dy = yEnd - y, xAdd = 1, yAdd = 1;
  if (dx < 0) { dx = -dx; xAdd = -1; }
  if (dy < 0) { dy = -dy; yAdd = -1; }
  if (dx > dy) {
    int err = 2 * dy - dx;
    for (int i = 0; i < dx; ++i) {
      out.push_back({x, y});
      if (err > 0) { y += yAdd; err += 2 * dy - 2 * dx; } else { err += 2 * dy; }
      x += xAdd;
    }
  } else {
    int err = 2 * dx - dy;
    for (int i = 0; i < dy; ++i) {
      out.push_back({x, y});
      if (err > 0) { x += xAdd; err += 2 * dx - 2 * dy; } else { err += 2 * dx; }
      y += yAdd;
    }
  }
}

Stroke Normalise(const Stroke& stroke, const Box& box, int n) {
  const int w = std::max(1, box.right - box.left), h = std::max(1, box.bottom - box.top);
  double kx = static_cast<double>(n) / w, ky = static_cast<double>(n) / h;
  if (static_cast<double>(w) / h > 4.0) ky = kx;
  else if (static_cast<double>(h) / w > 4.0) kx = ky;
  std::vector<Point> mapped;
  for (const Point& p : stroke)
    mapped.push_back({static_cast<int>((p.x - box.left) * kx), static_cast<int>((p.y - box.top) * ky)});
  Stroke out;
  for (size_t i = 1; i < mapped.size(); ++i)
    Dda(mapped[i - 1].x, mapped[i - 1].y, mapped[i].x, mapped[i].y, out);
  return out;
}

// j: first point within the radius from the previous j; k: from the previous
// k (or j), forward while the next point is closer; the nearer of both counts.
int Directed(const Stroke& a, const Stroke& b, int r2) {
  int sum = 0;
  size_t j = 0, k = 0;
  for (const Point& p : a) {
    auto sq = [&](const Point& q) { return (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y); };
    while (j < b.size() && sq(b[j]) > r2) ++j;
    if (j >= b.size()) return kNoDistance;
    if (k < j) k = j;
    while (k + 1 < b.size() && sq(b[k + 1]) < sq(b[k])) ++k;
    sum += std::min(sq(b[j]), sq(b[k]));
  }
  return sum;
}

int Distance(const Stroke& a, const Stroke& b, int r2) {
  const int ab = Directed(a, b, r2);
  if (ab == kNoDistance) return kNoDistance;
  const int ba = Directed(b, a, r2);
  if (ba == kNoDistance) return kNoDistance;
  return ab + ba;
}

struct Recognizer {
  int n, radius;
  std::vector<Stroke> gesture;

  Recognizer(const Gesture& g, int boxSize, int tolerance) : n(boxSize), radius(boxSize * tolerance / 100) {
    const Box box = BoxOf(g);
    for (const Stroke& stroke : g) gesture.push_back(Normalise(stroke, box, n));
  }

  float shapeScore(const Shape& shape) const {
    const std::vector<Stroke>& strokes = shape.strokes();
    const Box box = BoxOf(strokes);
    std::vector<bool> used(strokes.size(), false);
    float total = 0.0f;
    for (const Stroke& g : gesture) {
      float best = kNoScore;
      int bestStroke = -1;
      for (size_t j = 0; j < strokes.size(); ++j) {
        if (used[j]) continue;
        const Stroke t = Normalise(strokes[j], box, n);
        if (t.empty()) continue;
        const int d = Distance(g, t, radius * radius);
        if (d == kNoDistance) continue;
        const float ratio = static_cast<float>(d) / static_cast<float>(t.size());
        if (ratio < best) { best = ratio; bestStroke = static_cast<int>(j); }
      }
      if (bestStroke < 0) return kNoScore;
      total += best;
      used[bestStroke] = true;
    }
    return strokes.size() == gesture.size() ? total : kNoScore;
  }

  float symbolScore(const Symbol& symbol) const {
    float best = kNoScore;
    for (const Shape& shape : symbol.shapes()) {
      if (shape.strokeCount() < gesture.size()) continue;
      const float score = shapeScore(shape);
      if (score < best) best = score;
    }
    return best;
  }

  std::optional<size_t> recognize(const std::vector<const Symbol*>& candidates) const {
    float best = kNoScore;
    std::optional<size_t> winner;
    for (size_t i = 0; i < candidates.size(); ++i) {
      if (!candidates[i]) continue;
      const float score = symbolScore(*candidates[i]);
      if (score < best) { best = score; winner = i; }
    }
    return winner;
  }
};

}  // namespace reference

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

TEST(SymbolRecognizerReference, RandomGesturesGetTheSameWinnerAndScores) {
  RandomSymbols random(20260101);
  std::vector<Symbol> symbols;
  for (int i = 0; i < 40; ++i) symbols.push_back(random.symbol());
  // Exact duplicates, so that ties between candidates occur.
  for (int i = 0; i < 5; ++i) symbols.push_back(symbols[random.uniform(0, 39)]);

  std::vector<TestCandidate> candidates;
  for (Symbol& symbol : symbols) candidates.push_back({&symbol});
  candidates.insert(candidates.begin() + 7, TestCandidate{nullptr});
  std::vector<const Symbol*> referenceCandidates;
  for (const TestCandidate& c : candidates) referenceCandidates.push_back(c.symbol());

  int winners = 0, multiStrokeWinners = 0;
  for (int round = 0; round < 300; ++round) {
    Gesture gesture;
    if (random.uniform(0, 4) == 0) {
      gesture = random.shape(random.uniform(1, 3)).strokes();
    } else {
      const Symbol& source = symbols[random.uniform(0, static_cast<int>(symbols.size()) - 1)];
      if (source.shapes().empty()) continue;
      gesture = random.imitate(source.shapes()[random.uniform(0, static_cast<int>(source.shapeCount()) - 1)]);
    }
    if (gesture[0].empty()) continue;
    const int tolerance = 10 * random.uniform(0, 5);

    SymbolRecognizer fast(gesture, 100, tolerance);
    const reference::Recognizer plain(gesture, 100, tolerance);
    for (size_t i = 0; i < symbols.size(); ++i) {
      const float expected = plain.symbolScore(symbols[i]);
      ASSERT_TRUE(SameBits(fast.symbolScore(symbols[i]), expected))
          << "round " << round << " symbol " << i << " " << fast.symbolScore(symbols[i]) << " vs " << expected;
    }
    const std::optional<size_t> expectedWinner = plain.recognize(referenceCandidates);
    const TestCandidate* winner = fast.recognize(CandidatePointers(candidates));
    ASSERT_EQ(fast.resultIndex(), expectedWinner) << "round " << round;
    if (expectedWinner) {
      EXPECT_EQ(winner, &candidates[*expectedWinner]);
      EXPECT_TRUE(SameBits(fast.resultScore(), plain.symbolScore(*referenceCandidates[*expectedWinner])));
      ++winners;
      if (gesture.size() > 1) ++multiStrokeWinners;
    } else {
      EXPECT_EQ(winner, nullptr);
    }
  }
  // The comparison only means something if plenty of gestures were recognised.
  std::printf("%d winners, %d with several strokes\n", winners, multiStrokeWinners);
  EXPECT_GT(winners, 100);
  EXPECT_GT(multiStrokeWinners, 50);
}

}  // namespace
