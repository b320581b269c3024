#include "gesture/symbol_recognizer.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

int32_t RadiusFor(int32_t boxSize, int32_t tolerancePercent) {
  // 64-bit so that an absurd stored tolerance cannot overflow; the radius is
  // kept small enough for its square to stay far inside 64 bits.
  const int64_t radius = int64_t{boxSize} * std::max(tolerancePercent, 0) / 100;
  return static_cast<int32_t>(std::clamp<int64_t>(radius, 0, 0x7FFFFFFF));
}

}  // namespace

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

std::vector<Stroke> SymbolRecognizer::normalisedGesture() const {
  std::vector<Stroke> strokes;
  for (const WalkStroke& stroke : gesture_)
    strokes.push_back(stroke.toStroke());
  return strokes;
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
  if (strokes.size() == 1 && !grids_.empty()) {
    // The only pairing there is: a point out of reach settles it while mapping.
    if (!shapeScratch_[0].reset(strokes[0], scaling, &grids_[0]))
      return kNoMatchScore;
  } else {
    for (size_t j = 0; j < strokes.size(); ++j)
      shapeScratch_[j].reset(strokes[j], scaling);
  }
  usedScratch_.assign(strokes.size(), 0);

  float total = 0.0f;
  for (size_t i = 0; i < gesture_.size(); ++i) {
    const WalkStroke& gestureStroke = gesture_[i];
    float best = kNoMatchScore;
    size_t bestStroke = strokes.size();
    for (size_t j = 0; j < strokes.size(); ++j) {
      LazyNormalisedStroke& shapeStroke = shapeScratch_[j];
      if (usedScratch_[j] || shapeStroke.empty())
        continue;
      // A shape point beyond the reach of every gesture point fails the
      // walk back from the shape stroke; no need to walk to find out.
      if (!grids_.empty() && strokes.size() > 1 && !shapeStroke.within(grids_[i]))
        continue;
      PairingBudget budget(total, bound, best, shapeStroke.size());
      const int64_t distance = PairStrokes(gestureStroke, shapeStroke, radius_, budget);
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

void SymbolRecognizer::buildGrids(DistanceGrid::Detail detail) {
  if (gesture_.size() > kMostStrokesWithGrids)
    return;
  if (!grids_.empty() && (grids_[0].detail() == detail || detail == DistanceGrid::Detail::kReach))
    return;
  grids_.clear();
  for (const WalkStroke& stroke : gesture_)
    grids_.emplace_back(stroke.toStroke(), radius_, boxSize_, detail);
}

void SymbolRecognizer::recognizeCandidates(size_t count, SymbolAt symbolAt, const void* list) {
  result_.reset();
  resultScore_ = kNoMatchScore;
  // The grids cost about as much as a few walks and spare most walks of
  // shapes that look nothing like the gesture: worth it for long lists. The
  // exact distances cost some more, and pay for longer lists only.
  const bool lowestFirst = gesture_.size() == 1 && count >= kFewestCandidatesForLowestFirst;
  if (count >= kFewestCandidatesForGrids)
    buildGrids(lowestFirst ? DistanceGrid::Detail::kDistances : DistanceGrid::Detail::kReach);
  if (lowestFirst && !grids_.empty())
    recognizeLowestFirst(count, symbolAt, list);
  else
    recognizeInListOrder(count, symbolAt, list);
}

// The earliest candidate with the lowest score wins, whatever the order in
// which the candidates are scored.
void SymbolRecognizer::consider(size_t index, float score) {
  if (score < resultScore_ || (score == resultScore_ && result_ && index < *result_)) {
    resultScore_ = score;
    result_ = index;
  }
}

void SymbolRecognizer::recognizeInListOrder(size_t count, SymbolAt symbolAt, const void* list) {
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

void SymbolRecognizer::recognizeLowestFirst(size_t count, SymbolAt symbolAt, const void* list) {
  screenedUsed_ = 0;
  screenedShapes_.clear();
  screenedShapes_.reserve(count);
  screenedRoom(count * kScreenedPointsPerCandidate);  // enough for most lists at once
  std::vector<ScreenedCandidate> order;
  order.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const Symbol* symbol = symbolAt(list, i);
    ScreenedCandidate candidate;
    if (symbol && screen(i, *symbol, candidate))
      order.push_back(candidate);
  }
  std::sort(order.begin(), order.end(), [](const ScreenedCandidate& a, const ScreenedCandidate& b) {
    return a.lowest < b.lowest || (a.lowest == b.lowest && a.index < b.index);
  });
  for (const ScreenedCandidate& candidate : order) {
    // Sorted: no candidate from here on can go below the winner's score, and
    // on a tie only one before the winner in the list can still win.
    if (candidate.lowest > resultScore_)
      break;
    const bool winsTies = !result_ || candidate.index < *result_;
    if (candidate.lowest == resultScore_ && !winsTies)
      continue;
    // A score equal to the winner's counts for a candidate before it.
    const float bound = winsTies ? std::nextafter(resultScore_, HUGE_VALF) : resultScore_;
    consider(candidate.index, scoreScreened(candidate, bound));
  }
}

// For a one-stroke gesture: maps the symbol's one-stroke shapes (the only
// ones that can match) and finds the score each cannot go below. A shape's
// score is its distance divided by its length; the distance is at least the
// grid's values at the points looked up, and float division keeps that
// order. False when no shape can match.
bool SymbolRecognizer::screen(size_t index, const Symbol& symbol, ScreenedCandidate& candidate) {
  candidate = ScreenedCandidate{kNoMatchScore, index, screenedShapes_.size(), 0};
  for (const Shape& shape : symbol.shapes()) {
    if (shape.strokeCount() != 1)
      continue;
    const Stroke& stroke = shape.strokes()[0];
    const auto box = BoundingBoxOf(stroke);
    if (!box)
      continue;
    const StrokeScaling scaling(*box, boxSize_);
    const size_t first = screenedUsed_;
    MappedStroke mapped;
    if (!MapStroke(stroke, scaling, &grids_[0], screenedRoom(stroke.size()), mapped) || mapped.size == 0)
      continue;
    screenedUsed_ += stroke.size();
    const float distance = static_cast<float>(mapped.lowerBound);
    const float length = static_cast<float>(mapped.size);
    const float lowest = distance / length;
    screenedShapes_.push_back(ScreenedShape{first, stroke.size(), mapped, lowest});
    candidate.lowest = std::min(candidate.lowest, lowest);
  }
  candidate.shapeCount = screenedShapes_.size() - candidate.firstShape;
  return candidate.shapeCount != 0;
}

WalkPoint* SymbolRecognizer::screenedRoom(size_t count) {
  if (screenedUsed_ + count > screenedCapacity_) {
    const size_t capacity = std::max(2 * screenedCapacity_, screenedUsed_ + count);
    std::unique_ptr<WalkPoint[]> grown(new WalkPoint[capacity]);  // left unwritten
    std::copy(screenedPoints_.get(), screenedPoints_.get() + screenedUsed_, grown.get());
    screenedPoints_ = std::move(grown);
    screenedCapacity_ = capacity;
  }
  return screenedPoints_.get() + screenedUsed_;
}

// The symbol's score as scoreSymbol gives it: its other shapes cannot match.
float SymbolRecognizer::scoreScreened(const ScreenedCandidate& candidate, float bound) {
  float best = kNoMatchScore;
  for (size_t s = candidate.firstShape; s < candidate.firstShape + candidate.shapeCount; ++s) {
    const ScreenedShape& shape = screenedShapes_[s];
    const float limit = std::min(bound, best);
    if (!(shape.lowest < limit))
      continue;
    const float score = scoreScreenedShape(shape, limit);
    if (score < best)
      best = score;
  }
  return best;
}

// scoreShape for a one-stroke shape, from its mapped points.
float SymbolRecognizer::scoreScreenedShape(const ScreenedShape& shape, float bound) {
  if (shapeScratch_.empty())
    shapeScratch_.emplace_back();
  LazyNormalisedStroke& stroke = shapeScratch_[0];
  stroke.reset(screenedPoints_.get() + shape.firstPoint, shape.pointCount, shape.stroke, &grids_[0]);
  PairingBudget budget(0.0f, bound, kNoMatchScore, stroke.size());
  const int64_t distance = PairStrokes(gesture_[0], stroke, radius_, budget);
  if (distance < 0)
    return kNoMatchScore;
  const float distanceF = static_cast<float>(distance);
  const float lengthF = static_cast<float>(stroke.size());
  const float ratio = distanceF / lengthF;
  const float total = 0.0f;
  return total + ratio;
}
