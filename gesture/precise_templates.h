// Stroke sets in the form the precise recognizer compares, and the cache of
// the stored shapes in that form.
//
// Every stroke is resampled to kPoints points spaced evenly along its path,
// so strokes drawn fast or slow, with few or many points, line up point for
// point. The whole set is moved so that the centroid of all its points is the
// origin and scaled so that their mean squared distance from it is 1: size
// and place on the screen no longer matter, while proportions, orientation
// and the placing of strokes against each other stay. Each point carries
// four features: its two coordinates and, weighted by kDirectionWeight, the
// unit direction in which the stroke passes it. The direction is what tells
// a sharp corner from a round one and a stroke from its reverse.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "gesture/symbol.h"

class PreciseStrokeSet {
 public:
  static constexpr size_t kPoints = 32;
  static constexpr size_t kFeatures = 4;  // x, y, direction x, direction y
  // The squared length of a direction counts this much against a squared distance.
  static constexpr float kDirectionWeight = 0.3f;
  // How far apart (in points) two matched points of an elastic match may lie.
  static constexpr size_t kBand = 3;
  // The first stroke's coordinates also at every kPoints / kCoarsePoints-th
  // point alone: a rough first look that costs little.
  static constexpr size_t kCoarsePoints = 8;

  // Empty when the strokes cannot be compared: no strokes, an empty stroke,
  // or all points in one place (nothing to scale).
  static PreciseStrokeSet Of(const std::vector<Stroke>& strokes);
  // The same with the envelope below, which stored shapes need.
  static PreciseStrokeSet TemplateOf(const std::vector<Stroke>& strokes);

  bool empty() const { return strokeCount_ == 0; }
  bool hasEnvelope() const { return !envelope_.empty(); }
  size_t strokeCount() const { return strokeCount_; }
  // The kPoints values of one feature of one stroke; the features of a
  // stroke follow each other.
  const float* feature(size_t stroke, size_t feature) const {
    return values_.data() + (stroke * kFeatures + feature) * kPoints;
  }
  // The smallest and largest value of a feature within kBand points of each
  // point: what any point of an elastic match with this stroke can meet.
  // The features of a stroke follow each other here too. Only in a set made
  // by TemplateOf.
  const float* lower(size_t stroke, size_t feature) const {
    return envelope_.data() + ((stroke * 2) * kFeatures + feature) * kPoints;
  }
  const float* upper(size_t stroke, size_t feature) const {
    return envelope_.data() + ((stroke * 2 + 1) * kFeatures + feature) * kPoints;
  }
  // The first stroke's x then y at the coarse points, and their envelope.
  const float* coarse() const { return coarse_; }
  const float* coarseLower() const { return coarseLower_; }
  const float* coarseUpper() const { return coarseUpper_; }

 private:
  void buildEnvelope();

  size_t strokeCount_ = 0;
  std::vector<float> values_;
  std::vector<float> envelope_;
  float coarse_[2 * kCoarsePoints] = {};
  float coarseLower_[2 * kCoarsePoints] = {};
  float coarseUpper_[2 * kCoarsePoints] = {};
};

// The prepared shapes of the symbols recognition has met, so that a stored
// shape is prepared once rather than for every gesture. An entry is found by
// the symbol's address and used only while the symbol still holds exactly the
// strokes it was prepared from; a symbol edited or replaced (even by another
// at the same address) is prepared afresh. Not thread-safe: one cache per
// thread that recognizes.
class PreciseTemplateCache {
 public:
  // Beyond this many symbols, those not met in the latest recognition go.
  static constexpr size_t kMostSymbols = 4096;

  // One prepared set per shape of `symbol`, in its order (empty for a shape
  // that cannot be compared). Valid until the next call.
  const std::vector<PreciseStrokeSet>& shapesOf(const Symbol& symbol);
  // Called after each recognition: keeps the cache within kMostSymbols.
  void endRecognition();

  size_t symbolCount() const { return entries_.size(); }
  // How many times a symbol has been prepared, in all (a measure of reuse).
  size_t preparations() const { return preparations_; }

 private:
  struct Entry {
    std::vector<std::vector<Stroke>> source;  // the strokes of every shape, as prepared
    std::vector<PreciseStrokeSet> shapes;
    uint64_t lastUse = 0;
    bool prepared = false;
  };
  static bool SameStrokes(const Entry& entry, const Symbol& symbol);

  std::unordered_map<const Symbol*, Entry> entries_;
  uint64_t recognition_ = 0;
  size_t preparations_ = 0;
};
