// A plain transcription of the matching rules, without any of the
// recognizer's shortcuts: every shape stroke is normalised afresh for each
// pairing, every pairing is walked to its end, and shapes with more strokes
// than the gesture are scored before being rejected. The tests hold the
// recognizer to it bit for bit; the benchmarks time the recognizer beside it.
#pragma once
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "gesture/gesture.h"
#include "gesture/symbol.h"

namespace reference {

constexpr int64_t kNoDistance = INT_MAX;
constexpr float kNoScore = FLT_MAX;

struct Box { int left, top, right, bottom; };

inline Box BoxOf(const std::vector<Stroke>& strokes) {
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
inline void Dda(int x, int y, int xEnd, int yEnd, Stroke& out) {
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

inline Stroke Normalise(const Stroke& stroke, const Box& box, int n) {
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
// Sums in 64 bits, so that very long strokes cannot wrap.
inline int64_t Directed(const Stroke& a, const Stroke& b, int r2) {
  int64_t sum = 0;
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

// No distance when either direction fails, or when the sum does not fit
// below the no-distance value.
inline int64_t Distance(const Stroke& a, const Stroke& b, int r2) {
  const int64_t ab = Directed(a, b, r2);
  if (ab >= kNoDistance) return kNoDistance;
  const int64_t ba = Directed(b, a, r2);
  if (ba >= kNoDistance) return kNoDistance;
  return std::min(ab + ba, kNoDistance);
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
        const int64_t d = Distance(g, t, radius * radius);
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

  // Index of the winner among candidate symbols (null ones are passed over).
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
