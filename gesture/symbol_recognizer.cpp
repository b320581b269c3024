#include "gesture/symbol_recognizer.h"

#include <algorithm>
#include <cmath>

#include "gesture/line_walk.h"

namespace {

constexpr int64_t kNoMatch64 = -1;

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
int64_t Directed(const Stroke& a, const Stroke& b, int64_t r2) {
  int64_t sum = 0;
  size_t accept = 0;
  size_t nearest = 0;
  for (const Point& p : a) {
    int64_t acceptDistance = 0;
    while (accept < b.size() && (acceptDistance = SquaredDistance(p, b[accept])) > r2)
      ++accept;
    if (accept == b.size())
      return kNoMatch64;
    nearest = std::max(nearest, accept);
    int64_t nearestDistance = SquaredDistance(p, b[nearest]);
    while (nearest + 1 < b.size()) {
      const int64_t next = SquaredDistance(p, b[nearest + 1]);
      if (next >= nearestDistance)
        break;
      nearestDistance = next;
      ++nearest;
    }
    sum += std::min(acceptDistance, nearestDistance);
  }
  return sum;
}

// Sums beyond 32 bits only come from absurdly long strokes: refusing the
// pairing is safer than letting a wrapped sum win.
int32_t ToDistance(int64_t sum) {
  if (sum == kNoMatch64 || sum >= SymbolRecognizer::kNoMatchDistance)
    return SymbolRecognizer::kNoMatchDistance;
  return static_cast<int32_t>(sum);
}

int32_t PairDistance(const Stroke& a, const Stroke& b, int64_t r2) {
  const int64_t forward = Directed(a, b, r2);
  if (forward == kNoMatch64)
    return SymbolRecognizer::kNoMatchDistance;
  const int64_t backward = Directed(b, a, r2);
  if (backward == kNoMatch64)
    return SymbolRecognizer::kNoMatchDistance;
  return ToDistance(forward + backward);
}

int64_t SquaredRadius(int32_t radius) { return int64_t{radius} * radius; }

}  // namespace

void NormaliseStrokeInto(const Stroke& stroke, const BoundingBox& box, int32_t boxSize,
                         Stroke& out) {
  out.clear();
  const double w = static_cast<double>(std::max<int64_t>(1, box.width()));
  const double h = static_cast<double>(std::max<int64_t>(1, box.height()));
  double kx = boxSize / w;
  double ky = boxSize / h;
  if (w / h > 4.0)
    ky = kx;
  else if (h / w > 4.0)
    kx = ky;

  auto map = [&](const Point& p) {
    const double x = static_cast<double>(int64_t{p.x} - box.left) * kx;
    const double y = static_cast<double>(int64_t{p.y} - box.top) * ky;
    return Point{static_cast<int32_t>(std::trunc(x)), static_cast<int32_t>(std::trunc(y))};
  };

  if (stroke.empty())
    return;
  Point previous = map(stroke[0]);
  for (size_t i = 1; i < stroke.size(); ++i) {
    const Point next = map(stroke[i]);
    AppendLineWalk(previous, next, out);
    previous = next;
  }
}

Stroke NormaliseStroke(const Stroke& stroke, const BoundingBox& box, int32_t boxSize) {
  Stroke out;
  NormaliseStrokeInto(stroke, box, boxSize, out);
  return out;
}

int32_t DirectedDistance(const Stroke& a, const Stroke& b, int32_t radius) {
  return ToDistance(Directed(a, b, SquaredRadius(radius)));
}

int32_t StrokeDistance(const Stroke& a, const Stroke& b, int32_t radius) {
  return PairDistance(a, b, SquaredRadius(radius));
}

SymbolRecognizer::SymbolRecognizer(const Gesture& gesture, int32_t boxSize,
                                   int32_t tolerancePercent)
    : boxSize_(boxSize), radius_(RadiusFor(boxSize, tolerancePercent)) {
  gesture_.resize(gesture.size());
  // A gesture without points has no box; its strokes stay empty and match nothing.
  if (const auto box = BoundingBoxOf(gesture)) {
    for (size_t i = 0; i < gesture.size(); ++i)
      NormaliseStrokeInto(gesture[i], *box, boxSize_, gesture_[i]);
  }
}

float SymbolRecognizer::shapeScore(const Shape& shape) const {
  const std::vector<Stroke>& strokes = shape.strokes();
  // A shape with another stroke count can never pair every stroke once, and
  // a gesture without strokes has nothing to compare.
  if (strokes.size() != gesture_.size() || strokes.empty())
    return kNoMatchScore;
  const auto box = BoundingBoxOf(strokes);
  if (!box)
    return kNoMatchScore;

  // Each shape stroke is normalised once for all its pairings.
  shapeScratch_.resize(std::max(shapeScratch_.size(), strokes.size()));
  for (size_t j = 0; j < strokes.size(); ++j)
    NormaliseStrokeInto(strokes[j], *box, boxSize_, shapeScratch_[j]);
  usedScratch_.assign(strokes.size(), 0);

  const int64_t r2 = SquaredRadius(radius_);
  float total = 0.0f;
  for (const Stroke& gestureStroke : gesture_) {
    float best = kNoMatchScore;
    size_t bestStroke = strokes.size();
    for (size_t j = 0; j < strokes.size(); ++j) {
      const Stroke& shapeStroke = shapeScratch_[j];
      if (usedScratch_[j] || shapeStroke.empty())
        continue;
      const int32_t distance = PairDistance(gestureStroke, shapeStroke, r2);
      if (distance == kNoMatchDistance)
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

float SymbolRecognizer::symbolScore(const Symbol& symbol) const {
  float best = kNoMatchScore;
  for (const Shape& shape : symbol.shapes()) {
    const float score = shapeScore(shape);
    if (score < best)
      best = score;
  }
  return best;
}

void SymbolRecognizer::recognizeCandidates(size_t count, SymbolAt symbolAt, const void* list) {
  result_.reset();
  resultScore_ = kNoMatchScore;
  for (size_t i = 0; i < count; ++i) {
    const Symbol* symbol = symbolAt(list, i);
    if (!symbol)
      continue;
    const float score = symbolScore(*symbol);
    if (score < resultScore_) {
      resultScore_ = score;
      result_ = i;
    }
  }
}
