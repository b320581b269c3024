// The precise recognizer: a choice in the preferences beside the symbol
// recognizer, over the same stored symbols and candidates.
//
// The gesture and every stored shape are prepared alike (PreciseStrokeSet:
// resampled, centred, scaled, each point with its position and drawing
// direction) and matched elastically: each point of a gesture stroke is
// paired with points of the shape stroke no more than kBand places away, in
// order, so that a part drawn a little faster or slower still lines up (the
// dynamic time warping of the two point sequences). The score is the root
// mean squared difference of the paired points' features. Nothing is turned
// to fit, so orientation counts: a left arrow is not a right arrow, a caret
// not a v. The candidate with the smallest score wins, the earlier one on a
// tie, and only if that score is within kRefusalScore: a gesture that
// resembles nothing runs nothing.
//
// Strokes: only shapes with the gesture's number of strokes are scored. A
// one-stroke shape keeps its direction (a stroke to the left is not one to
// the right). The strokes of a multi-stroke shape may be drawn in any order
// and each in either direction: the gesture strokes are paired with the
// shape strokes so that the sum over the pairs is smallest, each pair in the
// direction that fits it better.
//
// Candidates as for SymbolRecognizer: an ordered std::vector of pointers to
// any type with `const Symbol* symbol() const`; null pointers and candidates
// without a symbol are passed over. Built for one gesture; the prepared
// stored shapes come from a cache that outlives it.
//
// Speed: a cheap lower bound of each shape's score (a few gesture points'
// places against the range of places the band lets them meet) sets shapes
// beyond the refusal score aside and orders the rest; they are taken most
// promising first, until the bound of the next is beyond the best found.
// Finer bounds (all points' places, then their directions) spare most of the
// matches, and a match stops as soon as it exceeds the best. None of this
// changes any result.
#pragma once
#include <cfloat>
#include <cstddef>
#include <optional>
#include <vector>

#include "gesture/gesture.h"
#include "gesture/precise_templates.h"
#include "gesture/symbol.h"

class PreciseRecognizer {
 public:
  static constexpr float kNoMatchScore = FLT_MAX;
  // The largest winning score that is still a match.
  static constexpr float kRefusalScore = 0.40f;
  // Shapes of more strokes than this pair them greedily in drawing order
  // instead of trying every pairing.
  static constexpr size_t kMostStrokesPairedFully = 10;

  // Prepares the gesture; `templates` must outlive the recognizer.
  PreciseRecognizer(const Gesture& gesture, PreciseTemplateCache& templates);

  // The candidate whose symbol fits best, or null when none fits within the
  // refusal score.
  template <class Candidate>
  Candidate* recognize(const std::vector<Candidate*>& candidates) {
    recognizeCandidates(candidates.size(), &SymbolOfCandidate<Candidate>, &candidates);
    return result_ ? candidates[*result_] : nullptr;
  }

  std::optional<size_t> resultIndex() const { return result_; }
  // The winner's score; kNoMatchScore when there was none.
  float resultScore() const { return resultScore_; }

  // Smallest score over the symbol's shapes with the gesture's stroke count;
  // kNoMatchScore when there is none. No refusal here.
  float symbolScore(const Symbol& symbol);
  // The score of one prepared shape; kNoMatchScore unless the stroke counts agree.
  float shapeScore(const PreciseStrokeSet& shape) const;

  const PreciseStrokeSet& preparedGesture() const { return gesture_; }

 private:
  using SymbolAt = const Symbol* (*)(const void* list, size_t index);

  template <class Candidate>
  static const Symbol* SymbolOfCandidate(const void* list, size_t index) {
    const Candidate* candidate = (*static_cast<const std::vector<Candidate*>*>(list))[index];
    return candidate ? candidate->symbol() : nullptr;
  }

  void recognizeCandidates(size_t count, SymbolAt symbolAt, const void* list);
  // Sums of squared feature differences over all points, kInfinity once
  // beyond `bound`.
  float shapeCost(const PreciseStrokeSet& shape, float bound) const;
  enum class Bound { kCoarsePlaces, kPlaces, kDirections };
  // What matching the shape costs at least, by one part of the features; 0
  // when there is no quick way to tell.
  float leastCost(const PreciseStrokeSet& shape, Bound part) const;
  float bestPairing(const std::vector<float>& costs, size_t strokes) const;
  float greedyPairing(const std::vector<float>& costs, size_t strokes) const;
  float scoreOfCost(float cost) const;
  float costOfScore(float score) const;

  PreciseStrokeSet gesture_;
  PreciseTemplateCache& templates_;
  std::optional<size_t> result_;
  float resultScore_ = kNoMatchScore;
};
