#include "gesture/symbol_recognizer.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "gesture/stroke_normalisation.h"

namespace {

// Internal outcomes of a pairing walk, apart from its distance.
constexpr int64_t kNoMatch64 = -1;  // some point found no partner
constexpr int64_t kPruned64 = -2;   // cut short: the pairing cannot be chosen

int32_t RadiusFor(int32_t boxSize, int32_t tolerancePercent) {
  // 64-bit so that an absurd stored tolerance cannot overflow; the radius is
  // kept small enough for its square to stay far inside 64 bits.
  const int64_t radius = int64_t{boxSize} * std::max(tolerancePercent, 0) / 100;
  return static_cast<int32_t>(std::clamp<int64_t>(radius, 0, 0x7FFFFFFF));
}

int64_t SquaredDistance(const Point& a, const Point& b) {
  const int64_t dx = int64_t{a.x} - b.x;
  const int64_t dy = int64_t{a.y} - b.y;
  return dx * dx + dy * dy;
}

// Cuts a pairing walk short once its distance can no longer matter: when the
// pairing's ratio cannot beat the best ratio of the gesture stroke so far, or
// the shape's total cannot stay below `bound` (the score to beat). Sums only
// grow and float rounding is monotonic, so a partial sum that fails already
// means the whole pairing fails; such a pairing would never have been chosen
// and the results stay exactly those of the full computation.
class PairingBudget {
 public:
  static PairingBudget Unlimited() { return PairingBudget(0.0f, FLT_MAX, FLT_MAX, 1); }

  PairingBudget(float total, float bound, float bestRatio, size_t length)
      : total_(total), bound_(bound), bestRatio_(bestRatio), length_(static_cast<float>(length)) {
    const double room = std::min(double{bestRatio}, double{bound} - double{total}) * double{length_};
    threshold_ = room >= 9e18 ? INT64_MAX : std::max<int64_t>(0, static_cast<int64_t>(room));
  }

  // Called with the growing sum: true once the pairing cannot be chosen.
  bool spent(int64_t sum) {
    if (sum < threshold_)
      return false;
    if (fails(sum))
      return true;
    // The cheap threshold was a little early; look again a bit further on.
    threshold_ = sum + 1 + sum / 1024;
    return false;
  }

 private:
  // The same float steps as the shape score itself.
  bool fails(int64_t sum) const {
    if (sum >= SymbolRecognizer::kNoMatchDistance)
      return true;
    const float distance = static_cast<float>(sum);
    const float ratio = distance / length_;
    const float total = total_ + ratio;
    return !(ratio < bestRatio_) || !(total < bound_);
  }

  float total_;
  float bound_;
  float bestRatio_;
  float length_;
  int64_t threshold_;
};

const Stroke& Completed(const Stroke& stroke) { return stroke; }
const Stroke& Completed(LazyNormalisedStroke& stroke) { return stroke.complete(); }

// Two positions walk `b`, both only forward, so each direction stays linear
// in the lengths of both strokes.
//  - `accept`: the first point within the radius at or after the previous
//    one. Whether the pairing holds at all depends on this walk alone.
//  - `nearest`: from the previous match (or `accept`, if that is further on),
//    forward while the next point is closer.
// Each point adds its squared distance to the nearer of the two. Adding the
// distance to the `accept` point alone would charge an exact copy of a stroke
// for the lag of that walk behind the drawing, so an identical drawing could
// lose to a shaky one.
// `B` is a Stroke or a LazyNormalisedStroke. When `B` is a normalised
// stroke, whose consecutive points are at most one step apart on each axis,
// the acceptance walk jumps over points that are too far away on one axis to
// come within the radius.
template <bool kConnected, class B>
int64_t Directed(const Stroke& a, B& b, int64_t r2, int64_t radius, int64_t sum,
                 PairingBudget& budget) {
  const size_t count = b.size();
  size_t accept = 0;
  size_t nearest = 0;
  for (const Point& p : a) {
    int64_t acceptDistance = 0;
    for (;;) {
      if (accept >= count)
        return kNoMatch64;
      const Point q = b[accept];
      const int64_t dx = int64_t{p.x} - q.x;
      const int64_t dy = int64_t{p.y} - q.y;
      acceptDistance = dx * dx + dy * dy;
      if (acceptDistance <= r2)
        break;
      const int64_t axisGap = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
      accept += kConnected && axisGap > radius ? static_cast<size_t>(axisGap - radius) : 1;
    }
    nearest = std::max(nearest, accept);
    int64_t nearestDistance = SquaredDistance(p, b[nearest]);
    while (nearest + 1 < count) {
      const int64_t next = SquaredDistance(p, b[nearest + 1]);
      if (next >= nearestDistance)
        break;
      nearestDistance = next;
      ++nearest;
    }
    sum += std::min(acceptDistance, nearestDistance);
    if (budget.spent(sum))
      return kPruned64;
  }
  return sum;
}

// Both directions; kNoMatch64 or kPruned64 when the pairing fails or was cut
// short. Sums beyond 32 bits only come from absurdly long strokes: refusing
// the pairing is safer than letting a wrapped sum win.
template <bool kConnected, class B>
int64_t PairDistance(const Stroke& a, B& b, int64_t radius, PairingBudget& budget) {
  const int64_t r2 = radius * radius;
  const int64_t forward = Directed<kConnected>(a, b, r2, radius, 0, budget);
  if (forward < 0)
    return forward;
  const int64_t both = Directed<kConnected>(Completed(b), a, r2, radius, forward, budget);
  if (both < 0)
    return both;
  return both >= SymbolRecognizer::kNoMatchDistance ? kNoMatch64 : both;
}

int32_t ToDistance(int64_t sum) {
  if (sum < 0 || sum >= SymbolRecognizer::kNoMatchDistance)
    return SymbolRecognizer::kNoMatchDistance;
  return static_cast<int32_t>(sum);
}

int64_t SquaredRadius(int32_t radius) { return int64_t{radius} * radius; }

}  // namespace

int32_t DirectedDistance(const Stroke& a, const Stroke& b, int32_t radius) {
  PairingBudget unlimited = PairingBudget::Unlimited();
  return ToDistance(Directed<false>(a, b, SquaredRadius(radius), radius, 0, unlimited));
}

int32_t StrokeDistance(const Stroke& a, const Stroke& b, int32_t radius) {
  PairingBudget unlimited = PairingBudget::Unlimited();
  return ToDistance(PairDistance<false>(a, b, radius, unlimited));
}

SymbolRecognizer::SymbolRecognizer(const Gesture& gesture, int32_t boxSize,
                                   int32_t tolerancePercent)
    : boxSize_(std::clamp(boxSize, kSmallestBox, kLargestBox)),
      radius_(RadiusFor(boxSize_, tolerancePercent)) {
  gesture_.resize(gesture.size());
  // A gesture without points has no box; its strokes stay empty and match nothing.
  if (const auto box = BoundingBoxOf(gesture)) {
    for (size_t i = 0; i < gesture.size(); ++i)
      NormaliseStrokeInto(gesture[i], *box, boxSize_, gesture_[i]);
  }
}

float SymbolRecognizer::shapeScore(const Shape& shape) const {
  return scoreShape(shape, kNoMatchScore);
}

float SymbolRecognizer::symbolScore(const Symbol& symbol) const {
  return scoreSymbol(symbol, kNoMatchScore);
}

// Exact when the shape scores below `bound`; otherwise some value not below
// it (or no-match).
float SymbolRecognizer::scoreShape(const Shape& shape, float bound) const {
  const std::vector<Stroke>& strokes = shape.strokes();
  // A shape with another stroke count can never pair every stroke once, and
  // a gesture without strokes has nothing to compare.
  if (strokes.size() != gesture_.size() || strokes.empty())
    return kNoMatchScore;
  const auto box = BoundingBoxOf(strokes);
  if (!box)
    return kNoMatchScore;

  // Each shape stroke is normalised once for all its pairings, and only as
  // far as some pairing walks it.
  const StrokeScaling scaling(*box, boxSize_);
  shapeScratch_.resize(std::max(shapeScratch_.size(), strokes.size()));
  if (strokes.size() == 1 && !reach_.empty()) {
    // The only pairing there is: a point out of reach settles it while mapping.
    if (!shapeScratch_[0].reset(strokes[0], scaling, &reach_[0]))
      return kNoMatchScore;
  } else {
    for (size_t j = 0; j < strokes.size(); ++j)
      shapeScratch_[j].reset(strokes[j], scaling);
  }
  usedScratch_.assign(strokes.size(), 0);

  float total = 0.0f;
  for (size_t i = 0; i < gesture_.size(); ++i) {
    const Stroke& gestureStroke = gesture_[i];
    float best = kNoMatchScore;
    size_t bestStroke = strokes.size();
    for (size_t j = 0; j < strokes.size(); ++j) {
      LazyNormalisedStroke& shapeStroke = shapeScratch_[j];
      if (usedScratch_[j] || shapeStroke.empty())
        continue;
      // A shape point beyond the reach of every gesture point fails the
      // walk back from the shape stroke; no need to walk to find out.
      if (!reach_.empty() && strokes.size() > 1 && !shapeStroke.within(reach_[i]))
        continue;
      PairingBudget budget(total, bound, best, shapeStroke.size());
      const int64_t distance = PairDistance<true>(gestureStroke, shapeStroke, radius_, budget);
      if (distance < 0)
        continue;
      // Named float steps so that x87 builds round exactly like SSE ones.
      const float distanceF = static_cast<float>(distance);
      const float lengthF = static_cast<float>(shapeStroke.size());
      const float ratio = distanceF / lengthF;
      if (ratio < best) {
        best = ratio;
        bestStroke = j;
      }
    }
    if (bestStroke == strokes.size())
      return kNoMatchScore;
    total = total + best;
    usedScratch_[bestStroke] = 1;
  }
  return total;
}

float SymbolRecognizer::scoreSymbol(const Symbol& symbol, float bound) const {
  float best = kNoMatchScore;
  for (const Shape& shape : symbol.shapes()) {
    const float score = scoreShape(shape, std::min(bound, best));
    if (score < best)
      best = score;
  }
  return best;
}

void SymbolRecognizer::buildReachGrids() {
  if (!reach_.empty() || gesture_.size() > kMostStrokesWithGrids)
    return;
  for (const Stroke& stroke : gesture_)
    reach_.emplace_back(stroke, radius_, boxSize_);
}

void SymbolRecognizer::recognizeCandidates(size_t count, SymbolAt symbolAt, const void* list) {
  result_.reset();
  resultScore_ = kNoMatchScore;
  // The grids cost about as much as a few walks and spare most walks of
  // shapes that look nothing like the gesture: worth it for long lists.
  if (count >= kFewestCandidatesForGrids)
    buildReachGrids();
  for (size_t i = 0; i < count; ++i) {
    const Symbol* symbol = symbolAt(list, i);
    if (!symbol)
      continue;
    // Only a score below the best so far matters, so that is the bound.
    const float score = scoreSymbol(*symbol, resultScore_);
    if (score < resultScore_) {
      resultScore_ = score;
      result_ = i;
    }
  }
}
