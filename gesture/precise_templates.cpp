#include "gesture/precise_templates.h"

#include <cmath>
#include <cstring>

namespace {
double SegmentLength(const Point& a, const Point& b) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  return std::sqrt(dx * dx + dy * dy);
}

// kPoints points spaced evenly along the stroke's path, the first and the
// last exactly its ends. A stroke that never moves gives its one place every
// time.
void Resample(const Stroke& stroke, std::vector<double>& lengths, double* xs, double* ys) {
  constexpr size_t n = PreciseStrokeSet::kPoints;
  lengths.resize(stroke.size());
  double total = 0;
  for (size_t i = 1; i < stroke.size(); ++i) total += lengths[i] = SegmentLength(stroke[i - 1], stroke[i]);
  const double spacing = total / static_cast<double>(n - 1);
  size_t segment = 1;  // the segment from stroke[segment - 1] to stroke[segment]
  double walked = 0;   // path length up to the start of that segment
  for (size_t k = 0; k < n; ++k) {
    const bool inside = k > 0 && k + 1 < n && total > 0;
    if (!inside) {
      const Point& end = k == 0 ? stroke.front() : stroke.back();
      xs[k] = end.x;
      ys[k] = end.y;
      continue;
    }
    const double target = spacing * static_cast<double>(k);
    while (segment + 1 < stroke.size() && walked + lengths[segment] < target) walked += lengths[segment++];
    const double length = lengths[segment];
    const double t = length > 0 ? std::fmin(1.0, std::fmax(0.0, (target - walked) / length)) : 0.0;
    const Point& a = stroke[segment - 1];
    const Point& b = stroke[segment];
    xs[k] = a.x + t * (static_cast<double>(b.x) - a.x);
    ys[k] = a.y + t * (static_cast<double>(b.y) - a.y);
  }
}

// Unit direction of the path at each point (from the point before to the
// point after; at the ends, along the first or last step), scaled to the
// weight of directions. None where the stroke does not move.
void Directions(const double* xs, const double* ys, float* us, float* vs) {
  constexpr size_t n = PreciseStrokeSet::kPoints;
  const double scale = std::sqrt(static_cast<double>(PreciseStrokeSet::kDirectionWeight));
  for (size_t k = 0; k < n; ++k) {
    const size_t from = k == 0 ? 0 : k - 1;
    const size_t to = k + 1 == n ? k : k + 1;
    const double dx = xs[to] - xs[from], dy = ys[to] - ys[from];
    const double length = std::sqrt(dx * dx + dy * dy);
    us[k] = length > 0 ? static_cast<float>(scale * dx / length) : 0.0f;
    vs[k] = length > 0 ? static_cast<float>(scale * dy / length) : 0.0f;
  }
}
}  // namespace

PreciseStrokeSet PreciseStrokeSet::Of(const std::vector<Stroke>& strokes) {
  PreciseStrokeSet set;
  if (strokes.empty()) return set;
  for (const Stroke& stroke : strokes)
    if (stroke.empty()) return set;
  const size_t count = strokes.size();
  std::vector<double> xs(count * kPoints), ys(count * kPoints);
  std::vector<double> lengths;
  for (size_t i = 0; i < count; ++i) Resample(strokes[i], lengths, &xs[i * kPoints], &ys[i * kPoints]);

  double cx = 0, cy = 0;
  for (size_t i = 0; i < xs.size(); ++i) {
    cx += xs[i];
    cy += ys[i];
  }
  cx /= static_cast<double>(xs.size());
  cy /= static_cast<double>(xs.size());
  double squares = 0;
  for (size_t i = 0; i < xs.size(); ++i) squares += (xs[i] - cx) * (xs[i] - cx) + (ys[i] - cy) * (ys[i] - cy);
  const double radius = std::sqrt(squares / static_cast<double>(xs.size()));
  if (!(radius > 0)) return set;
  for (size_t i = 0; i < xs.size(); ++i) {
    xs[i] = (xs[i] - cx) / radius;
    ys[i] = (ys[i] - cy) / radius;
  }

  set.strokeCount_ = count;
  set.values_.resize(count * kFeatures * kPoints);
  for (size_t i = 0; i < count; ++i) {
    float* x = set.values_.data() + (i * kFeatures + 0) * kPoints;
    float* y = set.values_.data() + (i * kFeatures + 1) * kPoints;
    for (size_t k = 0; k < kPoints; ++k) {
      x[k] = static_cast<float>(xs[i * kPoints + k]);
      y[k] = static_cast<float>(ys[i * kPoints + k]);
    }
    Directions(&xs[i * kPoints], &ys[i * kPoints], set.values_.data() + (i * kFeatures + 2) * kPoints,
               set.values_.data() + (i * kFeatures + 3) * kPoints);
  }
  for (size_t f = 0; f < 2; ++f)
    for (size_t k = 0; k < kCoarsePoints; ++k)
      set.coarse_[f * kCoarsePoints + k] = set.feature(0, f)[k * (kPoints / kCoarsePoints)];
  return set;
}

PreciseStrokeSet PreciseStrokeSet::TemplateOf(const std::vector<Stroke>& strokes) {
  PreciseStrokeSet set = Of(strokes);
  set.buildEnvelope();
  return set;
}

void PreciseStrokeSet::buildEnvelope() {
  envelope_.resize(strokeCount_ * 2 * kFeatures * kPoints);
  for (size_t stroke = 0; stroke < strokeCount_; ++stroke) {
    for (size_t f = 0; f < kFeatures; ++f) {
      const float* values = feature(stroke, f);
      float* low = envelope_.data() + ((stroke * 2) * kFeatures + f) * kPoints;
      float* high = envelope_.data() + ((stroke * 2 + 1) * kFeatures + f) * kPoints;
      for (size_t k = 0; k < kPoints; ++k) {
        const size_t first = k > kBand ? k - kBand : 0;
        const size_t last = k + kBand < kPoints ? k + kBand : kPoints - 1;
        low[k] = high[k] = values[first];
        for (size_t j = first + 1; j <= last; ++j) {
          low[k] = std::fmin(low[k], values[j]);
          high[k] = std::fmax(high[k], values[j]);
        }
      }
    }
  }
  for (size_t f = 0; f < 2; ++f) {
    for (size_t k = 0; k < kCoarsePoints; ++k) {
      coarseLower_[f * kCoarsePoints + k] = lower(0, f)[k * (kPoints / kCoarsePoints)];
      coarseUpper_[f * kCoarsePoints + k] = upper(0, f)[k * (kPoints / kCoarsePoints)];
    }
  }
}

bool PreciseTemplateCache::SameStrokes(const Entry& entry, const Symbol& symbol) {
  const std::vector<Shape>& shapes = symbol.shapes();
  if (shapes.size() != entry.source.size()) return false;
  for (size_t i = 0; i < shapes.size(); ++i) {
    const std::vector<Stroke>& strokes = shapes[i].strokes();
    const std::vector<Stroke>& prepared = entry.source[i];
    if (strokes.size() != prepared.size()) return false;
    for (size_t j = 0; j < strokes.size(); ++j) {
      // Points are plain pairs of integers without padding: bytes compare as values.
      if (strokes[j].size() != prepared[j].size() ||
          (!strokes[j].empty() && std::memcmp(strokes[j].data(), prepared[j].data(), strokes[j].size() * sizeof(Point)) != 0))
        return false;
    }
  }
  return true;
}

const std::vector<PreciseStrokeSet>& PreciseTemplateCache::shapesOf(const Symbol& symbol) {
  Entry& entry = entries_[&symbol];
  entry.lastUse = recognition_;
  if (entry.prepared && SameStrokes(entry, symbol)) return entry.shapes;
  entry.prepared = true;
  entry.source.clear();
  entry.shapes.clear();
  for (const Shape& shape : symbol.shapes()) {
    entry.source.push_back(shape.strokes());
    entry.shapes.push_back(PreciseStrokeSet::TemplateOf(shape.strokes()));
  }
  ++preparations_;
  return entry.shapes;
}

void PreciseTemplateCache::endRecognition() {
  if (entries_.size() > kMostSymbols) {
    for (auto it = entries_.begin(); it != entries_.end();) {
      if (it->second.lastUse != recognition_) it = entries_.erase(it);
      else ++it;
    }
  }
  ++recognition_;
}
