// The distance of a pairing of two normalised strokes, walked in both
// directions.
//
// The walk from stroke A along stroke B: each point of A needs a point of B
// within the radius at or after the one the previous point needed, else the
// pairing fails (an earlier point of B never counts). Two positions walk B,
// both only forward, so the walk is linear in the lengths of both strokes:
//  - `accept`: the first point within the radius at or after the previous
//    one. Whether the pairing holds at all depends on this walk alone.
//  - `nearest`: from the previous one (or `accept`, if that is further on),
//    forward while the next point is closer.
// Each point of A adds its squared distance to the nearer of the two. Adding
// the distance to the `accept` point alone would charge an exact copy of a
// stroke for the lag of that walk behind the drawing, so an identical drawing
// could lose to a shaky one. The distance of a pairing is both walks added.
#pragma once
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gesture/stroke.h"
#include "gesture/stroke_normalisation.h"
#include "gesture/walk_point.h"


// A pairing distance of this or more is no match (the largest 32-bit value).
constexpr int64_t kNoPairingDistance = 0x7FFFFFFF;

// Outcomes of PairStrokes other than a distance.
constexpr int64_t kPairingFails = -1;  // some point finds no partner
constexpr int64_t kPairingCut = -2;    // cut short: the pairing cannot be chosen

// Cuts a pairing walk short once its distance can no longer matter: when the
// pairing's ratio (distance / shape stroke length) cannot beat the best ratio
// of the gesture stroke so far, or the shape's total cannot stay below
// `bound` (the score to beat). Sums only grow and float rounding is
// monotonic, so a partial sum that fails already means the whole pairing
// fails; such a pairing would never have been chosen, and results stay
// exactly those of the full computation.
class PairingBudget {
 public:
  static PairingBudget Unlimited() { return PairingBudget(0.0f, FLT_MAX, FLT_MAX, 1); }
  PairingBudget(float total, float bound, float bestRatio, size_t length);

  // Called with the growing sum: true once the pairing cannot be chosen.
  bool spent(int64_t sum) {
    if (sum < threshold_)
      return false;
    return recheck(sum);
  }

 private:
  bool recheck(int64_t sum);
  bool fails(int64_t sum) const;

  float total_;
  float bound_;
  float bestRatio_;
  float length_;
  int64_t threshold_;
};

// The distance of pairing a gesture stroke with a shape stroke of the same
// square (both walks added, each point of either stroke walking the other),
// or kPairingFails, or kPairingCut once `budget` is spent. The two walks go
// on side by side, so that neither waits for the other.
int64_t PairStrokes(const WalkStroke& gesture, LazyNormalisedStroke& shape, int32_t radius,
                    PairingBudget& budget);

// The building blocks on any strokes, for the normalised strokes of tests and
// tools: the walk from `a` along `b` (kNoPairingDistance as an int32_t when
// it fails; empty `a` gives 0), and both walks added (kNoPairingDistance
// when either fails, and also when the sum would not fit below it).
int32_t DirectedDistance(const Stroke& a, const Stroke& b, int32_t radius);
int32_t StrokeDistance(const Stroke& a, const Stroke& b, int32_t radius);

// Four points at a time: the steps of one walk. `q` points to at least five
// readable points. Each variant gives the same answers; the portable one is
// the definition.
namespace walk_lanes {

// Trailing one bits of a 4-bit mask: the first zero, or 4. On the walk's
// chain from one point to the next, so a bit scan rather than a table read
// where the compiler has one.
inline unsigned TrailingOnes(unsigned mask) {
#if defined(__GNUC__)
  return static_cast<unsigned>(__builtin_ctz(~mask));  // bit 4 of ~mask is set: never zero
#else
  static constexpr unsigned char kTrailingOnes[16] = {0, 1, 0, 2, 0, 1, 0, 3, 0, 1, 0, 2, 0, 1, 0, 4};
  return kTrailingOnes[mask & 15];
#endif
}

namespace portable {

inline int32_t Squared(WalkPoint p, WalkPoint q) {
  const int32_t dx = int32_t{p.x} - q.x;
  const int32_t dy = int32_t{p.y} - q.y;
  return dx * dx + dy * dy;
}

// The first of q[0..3] within the squared radius `r2` of `p` (4 when none),
// with its squared distance.
inline unsigned FirstWithin(WalkPoint p, const WalkPoint* q, int32_t r2, int32_t& distance) {
  for (unsigned i = 0; i < 4; ++i) {
    distance = Squared(p, q[i]);
    if (distance <= r2)
      return i;
  }
  return 4;
}

// How many steps from q[0] each next point is closer to `p`, up to 4; below
// 4, the squared distance where the steps stop.
inline unsigned StepsCloser(WalkPoint p, const WalkPoint* q, int32_t& distance) {
  distance = Squared(p, q[0]);
  for (unsigned i = 0; i < 4; ++i) {
    const int32_t next = Squared(p, q[i + 1]);
    if (next >= distance)
      return i;
    distance = next;
  }
  return 4;
}

}  // namespace portable

#ifdef ZAVOTRA_WALK_SSE2
namespace sse2 {

// Squared distances from the point in every lane of `p` to q[0..3]: one
// subtraction of 16-bit pairs and one multiply-add of them.
inline __m128i Squares(__m128i p, const WalkPoint* q) {
  const __m128i d = _mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q)), p);
  return _mm_madd_epi16(d, d);
}

inline __m128i Broadcast(WalkPoint p) {
  int32_t packed;
  std::memcpy(&packed, &p, sizeof packed);
  return _mm_set1_epi32(packed);
}

inline unsigned Mask(__m128i lanes) {
  return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(lanes)));
}

inline int32_t Lane(__m128i lanes, unsigned index) {
  alignas(16) int32_t values[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(values), lanes);
  return values[index & 3];
}

inline unsigned FirstWithin(WalkPoint p, const WalkPoint* q, int32_t r2, int32_t& distance) {
  const __m128i squares = Squares(Broadcast(p), q);
  const unsigned first = TrailingOnes(Mask(_mm_cmpgt_epi32(squares, _mm_set1_epi32(r2))));
  distance = Lane(squares, first);
  return first;
}

inline unsigned StepsCloser(WalkPoint p, const WalkPoint* q, int32_t& distance) {
  const __m128i point = Broadcast(p);
  const __m128i here = Squares(point, q);
  const __m128i next = Squares(point, q + 1);
  const unsigned steps = TrailingOnes(Mask(_mm_cmpgt_epi32(here, next)));
  distance = Lane(here, steps);
  return steps;
}

}  // namespace sse2
namespace fastest = sse2;
#else
namespace fastest = portable;
#endif

}  // namespace walk_lanes
