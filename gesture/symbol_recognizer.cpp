#include "gesture/symbol_recognizer.h"

#include <algorithm>
#include <cfloat>


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
  for (const Stroke& stroke : gesture_)
    walkGesture_.emplace_back(stroke);
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
    const WalkStroke& gestureStroke = walkGesture_[i];
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
