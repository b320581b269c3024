// Decides which candidate a finished gesture triggers, by template matching
// on rescaled, densely resampled strokes.
//
// Every stroke set (the gesture, and each shape) is scaled into a square of
// `boxSize` units by its own bounding box and resampled to one point per unit
// of travel. A gesture stroke and a shape stroke pair when every point of each
// lies within the tolerance radius of the other, walking both in drawing
// order; the pairing's deviation is the sum of squared distances from each
// point to its nearest counterpart ahead in the walk, in both directions,
// divided by the shape stroke's point count. A shape pairs each
// gesture stroke, in drawing order, with the best shape stroke still free; the
// candidate with the smallest total wins, the earlier one on a tie.
//
// Candidates: the recognizer does not know what it chooses between. It takes
// an ordered std::vector of pointers to any candidate type that has
// `const Symbol* symbol() const` (actions do); null pointers and candidates
// without a symbol are passed over. The winner comes back as a pointer into
// that list and as its index. Built for one gesture, used once.
//
// Speed: each shape stroke is normalised once per shape, and only as far as a
// walk looks at it; a walk stops as soon as its pairing can no longer beat the
// best score found so far. From kFewestCandidatesForGrids candidates, a grid
// of the cells within reach of each gesture stroke refuses shape strokes with
// a point out of reach without walking at all. From
// kFewestCandidatesForLowestFirst candidates and for a one-stroke gesture,
// the grid holds the exact squared distances to the gesture, which also give
// each candidate a score it cannot go below: candidates are then scored from
// the lowest of those on, so that the best ones come first and the walks of
// the others stop early, and scoring ends where the lowest possible score of
// the rest cannot beat the winner. None of these changes any result: the
// winner is the earliest candidate with the lowest score, in whatever order
// they are scored. docs/architecture.md tells more.
#pragma once
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gesture/bounding_box.h"
#include "gesture/distance_grid.h"
#include "gesture/gesture.h"
#include "gesture/stroke_normalisation.h"
#include "gesture/stroke_pairing.h"
#include "gesture/symbol.h"

class SymbolRecognizer {
 public:
  // No-match of a stroke distance and of a score.
  static constexpr int32_t kNoMatchDistance = 0x7FFFFFFF;
  static constexpr float kNoMatchScore = FLT_MAX;

  // Box sizes are kept within these limits: a normalised stroke has up to
  // boxSize points per stroke segment, so a huge box would only exhaust memory.
  static constexpr int32_t kSmallestBox = 1;
  static constexpr int32_t kLargestBox = 4096;

  // Radius = boxSize * tolerancePercent / 100, truncated; a negative
  // tolerance counts as 0. Normalises the gesture by its own bounding box.
  SymbolRecognizer(const Gesture& gesture, int32_t boxSize, int32_t tolerancePercent);

  // The candidate whose symbol scores lowest, or null when none matches.
  template <class Candidate>
  Candidate* recognize(const std::vector<Candidate*>& candidates) {
    recognizeCandidates(candidates.size(), &SymbolOfCandidate<Candidate>, &candidates);
    return result_ ? candidates[*result_] : nullptr;
  }

  // Position of the last winner in the candidate list, if any.
  std::optional<size_t> resultIndex() const { return result_; }
  // Score of the last winner; kNoMatchScore when there was none.
  float resultScore() const { return resultScore_; }

  // Lowest score over the symbol's shapes; kNoMatchScore when none fits.
  float symbolScore(const Symbol& symbol) const;
  // Score of one shape; kNoMatchScore unless it has the gesture's stroke count
  // and every gesture stroke finds a free, acceptable shape stroke.
  float shapeScore(const Shape& shape) const;

  int32_t boxSize() const { return boxSize_; }
  int32_t radius() const { return radius_; }
  std::vector<Stroke> normalisedGesture() const;

 private:
  using SymbolAt = const Symbol* (*)(const void* list, size_t index);

  template <class Candidate>
  static const Symbol* SymbolOfCandidate(const void* list, size_t index) {
    const Candidate* candidate = (*static_cast<const std::vector<Candidate*>*>(list))[index];
    return candidate ? candidate->symbol() : nullptr;
  }

  static constexpr size_t kMostStrokesWithGrids = 8;
  static constexpr size_t kFewestCandidatesForGrids = 24;
  static constexpr size_t kFewestCandidatesForLowestFirst = 200;

  void recognizeCandidates(size_t count, SymbolAt symbolAt, const void* list);
  void recognizeInListOrder(size_t count, SymbolAt symbolAt, const void* list);
  void recognizeLowestFirst(size_t count, SymbolAt symbolAt, const void* list);
  void consider(size_t index, float score);
  void buildGrids(DistanceGrid::Detail detail);
  // A one-stroke shape of a candidate, mapped while the candidates of a
  // one-stroke gesture were screened: its points, what the grid showed, and
  // the score it cannot go below.
  struct ScreenedShape {
    size_t firstPoint;  // in screenedPoints_
    size_t pointCount;
    MappedStroke stroke;
    float lowest;
  };
  struct ScreenedCandidate {
    float lowest;  // of its shapes
    size_t index;
    size_t firstShape;  // in screenedShapes_
    size_t shapeCount;
  };
  bool screen(size_t index, const Symbol& symbol, ScreenedCandidate& candidate);
  float scoreScreened(const ScreenedCandidate& candidate, float bound);
  float scoreScreenedShape(const ScreenedShape& shape, float bound);
  // Room for `count` more screened points.
  WalkPoint* screenedRoom(size_t count);
  static constexpr size_t kScreenedPointsPerCandidate = 128;
  float scoreSymbol(const Symbol& symbol, float bound) const;
  float scoreShape(const Shape& shape, float bound) const;

  int32_t boxSize_;
  int32_t radius_;
  std::vector<WalkStroke> gesture_;  // normalised, as the pairing walks read them
  // One per gesture stroke, built for long candidate lists (empty otherwise).
  std::vector<DistanceGrid> grids_;
  std::optional<size_t> result_;
  float resultScore_ = kNoMatchScore;
  // Normalised strokes of the shape being scored, reused between shapes.
  mutable std::vector<LazyNormalisedStroke> shapeScratch_;
  mutable std::vector<char> usedScratch_;
  // The mapped points of the screened shapes, one after another. Written
  // before they are read, so new room is left unwritten.
  std::unique_ptr<WalkPoint[]> screenedPoints_;
  size_t screenedCapacity_ = 0;
  size_t screenedUsed_ = 0;
  std::vector<ScreenedShape> screenedShapes_;
};

