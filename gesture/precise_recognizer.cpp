#include "gesture/precise_recognizer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr size_t kPoints = PreciseStrokeSet::kPoints;
constexpr size_t kFeatures = PreciseStrokeSet::kFeatures;
constexpr size_t kBand = PreciseStrokeSet::kBand;
constexpr float kInfinity = std::numeric_limits<float>::infinity();
// A lower bound is summed in another order than the match it bounds: it only
// refuses what lies clearly beyond, so that rounding never refuses a tie.
constexpr float kBoundSlack = 1.0001f;

// The smaller of two, as one instruction: no NaN ever reaches it.
inline float Least(float a, float b) { return b < a ? b : a; }

// The squared distances of `count` values outside their ranges [low, high],
// added up. Squares first, then summed in halves: lets the compiler use
// vector instructions, which one running float sum would forbid.
template <size_t count>
float OutsideCost(const float* value, const float* low, const float* high) {
  static_assert((count & (count - 1)) == 0, "halving needs a power of two");
  float squares[count];
  for (size_t k = 0; k < count; ++k) {
    const float below = low[k] - value[k], above = value[k] - high[k];
    float out = below > above ? below : above;
    out = out > 0 ? out : 0;
    squares[k] = out * out;
  }
  for (size_t width = count / 2; width >= 1; width /= 2)
    for (size_t k = 0; k < width; ++k) squares[k] += squares[k + width];
  return squares[0];
}

// The features of shape stroke `t`, walked backward when asked: the points
// in reverse order, each direction turned round.
void ShapeFeatures(const PreciseStrokeSet& shape, size_t t, bool backward, float (&out)[kFeatures][kPoints]) {
  for (size_t f = 0; f < kFeatures; ++f) {
    const float* values = shape.feature(t, f);
    const float sign = backward && f >= 2 ? -1.0f : 1.0f;
    for (size_t k = 0; k < kPoints; ++k) out[f][k] = sign * values[backward ? kPoints - 1 - k : k];
  }
}

// The cheapest ordered pairing of the points of gesture stroke `g` with the
// shape's features: every point of each side paired at least once, pairs
// never crossing, no pair more than kBand places apart; the sum of squared
// feature differences over the pairs. kInfinity as soon as every way on
// costs more than `bound`.
float ElasticCost(const PreciseStrokeSet& gesture, size_t g, const float (&shape)[kFeatures][kPoints], float bound) {
  const float* gx = gesture.feature(g, 0);
  const float* gy = gesture.feature(g, 1);
  const float* gu = gesture.feature(g, 2);
  const float* gv = gesture.feature(g, 3);
  // Rows by gesture point; column j of a row at index j + 1, index 0 standing
  // for the column before the first.
  float rows[2][kPoints + 1];
  std::fill(std::begin(rows[0]), std::end(rows[0]), kInfinity);
  std::fill(std::begin(rows[1]), std::end(rows[1]), kInfinity);
  rows[1][0] = 0;  // the start, before the first pair
  for (size_t i = 0; i < kPoints; ++i) {
    float* row = rows[i & 1];
    const float* previous = rows[(i + 1) & 1];
    const size_t first = i > kBand ? i - kBand : 0;
    const size_t last = std::min(kPoints - 1, i + kBand);
    row[first] = kInfinity;  // left over from two rows back
    float rowLeast = kInfinity;
    for (size_t j = first; j <= last; ++j) {
      const float dx = gx[i] - shape[0][j], dy = gy[i] - shape[1][j];
      const float du = gu[i] - shape[2][j], dv = gv[i] - shape[3][j];
      const float cost = dx * dx + dy * dy + du * du + dv * dv;
      row[j + 1] = cost + Least(Least(previous[j + 1], previous[j]), row[j]);
      rowLeast = Least(rowLeast, row[j + 1]);
    }
    if (rowLeast > bound) return kInfinity;
  }
  const float total = rows[(kPoints - 1) & 1][kPoints];
  return total > bound ? kInfinity : total;
}
}  // namespace

PreciseRecognizer::PreciseRecognizer(const Gesture& gesture, PreciseTemplateCache& templates)
    : gesture_(PreciseStrokeSet::Of(gesture)), templates_(templates) {}

float PreciseRecognizer::costOfScore(float score) const {
  return score * score * static_cast<float>(gesture_.strokeCount() * kPoints);
}

float PreciseRecognizer::scoreOfCost(float cost) const {
  if (!(cost < kInfinity)) return kNoMatchScore;
  return std::sqrt(cost / static_cast<float>(gesture_.strokeCount() * kPoints));
}

void PreciseRecognizer::recognizeCandidates(size_t count, SymbolAt symbolAt, const void* list) {
  result_.reset();
  resultScore_ = kNoMatchScore;
  if (gesture_.empty()) return;
  const float refusal = costOfScore(kRefusalScore);
  // Every shape that might come within the refusal score, with what it
  // costs at least by a rough look at the places of its points.
  struct Contender {
    float least;
    size_t index;
    const PreciseStrokeSet* shape;
  };
  std::vector<Contender> contenders;
  for (size_t i = 0; i < count; ++i) {
    const Symbol* symbol = symbolAt(list, i);
    if (!symbol) continue;
    for (const PreciseStrokeSet& shape : templates_.shapesOf(*symbol)) {
      if (shape.strokeCount() != gesture_.strokeCount()) continue;
      const float least = leastCost(shape, Bound::kCoarsePlaces);
      if (least <= refusal * kBoundSlack) contenders.push_back(Contender{least, i, &shape});
    }
  }
  templates_.endRecognition();
  // Most promising first: once the least a shape can cost is beyond the best
  // found, so is every shape after it.
  std::stable_sort(contenders.begin(), contenders.end(),
                   [](const Contender& a, const Contender& b) { return a.least < b.least; });
  float best = kInfinity;
  for (const Contender& contender : contenders) {
    const float bound = std::fmin(best, refusal) * kBoundSlack;
    if (contender.least > best * kBoundSlack) break;
    // Finer bounds spare most of the matches.
    const float places = leastCost(*contender.shape, Bound::kPlaces);
    if (places > bound || places + leastCost(*contender.shape, Bound::kDirections) > bound) continue;
    const float cost = shapeCost(*contender.shape, std::fmin(best, refusal));
    // The smallest cost wins, and of equal costs the earlier candidate.
    if (cost < best || (cost == best && cost < kInfinity && contender.index < *result_)) {
      best = cost;
      result_ = contender.index;
    }
  }
  if (result_) resultScore_ = scoreOfCost(best);
}

// What matching the gesture's one stroke with the shape's costs at least:
// each gesture point against the range of values that the shape's points
// within the band hold, since the match pairs every gesture point with at
// least one of them. From a few points' places, all points' places, or all
// points' directions; the last two add up.
float PreciseRecognizer::leastCost(const PreciseStrokeSet& shape, Bound part) const {
  // Several strokes may pair in many ways; only a one-stroke shape has a quick bound.
  if (gesture_.strokeCount() != 1 || !shape.hasEnvelope()) return 0;
  constexpr size_t kCoarse = 2 * PreciseStrokeSet::kCoarsePoints;
  switch (part) {
    case Bound::kCoarsePlaces:
      return OutsideCost<kCoarse>(gesture_.coarse(), shape.coarseLower(), shape.coarseUpper());
    case Bound::kPlaces:
      return OutsideCost<2 * kPoints>(gesture_.feature(0, 0), shape.lower(0, 0), shape.upper(0, 0));
    case Bound::kDirections:
      return OutsideCost<2 * kPoints>(gesture_.feature(0, 2), shape.lower(0, 2), shape.upper(0, 2));
  }
  return 0;
}

float PreciseRecognizer::symbolScore(const Symbol& symbol) {
  float best = kInfinity;
  if (gesture_.empty()) return kNoMatchScore;
  for (const PreciseStrokeSet& shape : templates_.shapesOf(symbol))
    if (shape.strokeCount() == gesture_.strokeCount()) best = std::fmin(best, shapeCost(shape, kInfinity));
  return scoreOfCost(best);
}

float PreciseRecognizer::shapeScore(const PreciseStrokeSet& shape) const {
  if (gesture_.empty() || shape.strokeCount() != gesture_.strokeCount()) return kNoMatchScore;
  return scoreOfCost(shapeCost(shape, kInfinity));
}

float PreciseRecognizer::shapeCost(const PreciseStrokeSet& shape, float bound) const {
  const size_t strokes = gesture_.strokeCount();
  float features[kFeatures][kPoints];
  if (strokes == 1) {
    ShapeFeatures(shape, 0, false, features);
    return ElasticCost(gesture_, 0, features, bound);
  }
  // Gesture stroke i with shape stroke j, in the direction that fits better;
  // a pair that alone costs more than the bound can be in no pairing within it.
  std::vector<float> costs(strokes * strokes);
  for (size_t i = 0; i < strokes; ++i) {
    for (size_t j = 0; j < strokes; ++j) {
      ShapeFeatures(shape, j, false, features);
      const float forward = ElasticCost(gesture_, i, features, bound);
      ShapeFeatures(shape, j, true, features);
      costs[i * strokes + j] = std::fmin(forward, ElasticCost(gesture_, i, features, bound));
    }
  }
  const float total = strokes <= kMostStrokesPairedFully ? bestPairing(costs, strokes) : greedyPairing(costs, strokes);
  return total > bound ? kInfinity : total;
}

// The pairing of least total over all pairings: the gesture strokes taken in
// order, each set of shape strokes already paired keeps its least sum.
float PreciseRecognizer::bestPairing(const std::vector<float>& costs, size_t strokes) const {
  const size_t sets = size_t{1} << strokes;
  std::vector<float> least(sets, kInfinity);
  least[0] = 0;
  for (size_t used = 0; used < sets; ++used) {
    if (!(least[used] < kInfinity)) continue;
    size_t next = 0;  // the gesture stroke to pair: as many as are paired
    for (size_t bits = used; bits; bits &= bits - 1) ++next;
    if (next == strokes) continue;
    for (size_t j = 0; j < strokes; ++j) {
      const size_t to = used | (size_t{1} << j);
      if (to != used) least[to] = std::fmin(least[to], least[used] + costs[next * strokes + j]);
    }
  }
  return least[sets - 1];
}

float PreciseRecognizer::greedyPairing(const std::vector<float>& costs, size_t strokes) const {
  std::vector<char> used(strokes, 0);
  float total = 0;
  for (size_t i = 0; i < strokes; ++i) {
    size_t chosen = strokes;
    for (size_t j = 0; j < strokes; ++j)
      if (!used[j] && (chosen == strokes || costs[i * strokes + j] < costs[i * strokes + chosen])) chosen = j;
    used[chosen] = 1;
    total += costs[i * strokes + chosen];
  }
  return total;
}
