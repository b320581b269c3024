#include "gesture/stroke_pairing.h"

#include <algorithm>
#include <optional>

#include "gesture/bounding_box.h"

// The steps of both walks belong in one loop, where the processor can
// overlap them: a call per step would keep them apart.
#if defined(__GNUC__)
#define ZAVOTRA_WALK_INLINE inline __attribute__((always_inline))
#else
#define ZAVOTRA_WALK_INLINE inline
#endif

namespace {

namespace lanes = walk_lanes::fastest;

// A stroke in walk form read whole.
class WholeStroke {
 public:
  explicit WholeStroke(const WalkStroke& stroke) : data_(stroke.data()), size_(stroke.size()) {}
  const WalkPoint* data() const { return data_; }
  size_t size() const { return size_; }
  void readThrough(size_t) const {}
  int64_t lowerBoundAhead() const { return 0; }

 private:
  const WalkPoint* data_;
  size_t size_;
};

// A shape stroke, laid out as far as a walk reads it.
class LaidOutStroke {
 public:
  explicit LaidOutStroke(LazyNormalisedStroke& stroke) : stroke_(stroke) {}
  const WalkPoint* data() const { return stroke_.data(); }
  size_t size() const { return stroke_.size(); }
  void readThrough(size_t index) { stroke_.readThrough(index); }
  int64_t lowerBoundAhead() const { return stroke_.lowerBoundAhead(); }

 private:
  LazyNormalisedStroke& stroke_;
};

// The walk from the points of `From` along `To`, one point of `From` at a
// time. With kConnected (normalised strokes, whose consecutive points are
// at most one step apart on each axis) the acceptance walk jumps over points
// too far away on one axis to come within the radius.
template <bool kConnected, class From, class To>
class DirectedWalk {
 public:
  DirectedWalk(From& from, To& to, int32_t r2, int32_t radius)
      : from_(from), to_(to), r2_(r2), radius_(radius) {}

  bool done() const { return next_ == from_.size(); }
  int64_t sum() const { return sum_; }

  // Pairs the next point of `From`; false when it finds no partner.
  ZAVOTRA_WALK_INLINE bool step() {
    from_.readThrough(next_);
    const WalkPoint p = from_.data()[next_];
    int32_t acceptDistance;
    if (!advanceAccept(p, acceptDistance))
      return false;
    size_t at = std::max(nearest_, accept_);
    int32_t nearestDistance;
    for (;;) {
      to_.readThrough(at + 4);
      const unsigned steps = lanes::StepsCloser(p, to_.data() + at, nearestDistance);
      at += steps;
      if (steps < 4)
        break;
    }
    nearest_ = at;
    sum_ += std::min(acceptDistance, nearestDistance);
    ++next_;
    return true;
  }

 private:
  ZAVOTRA_WALK_INLINE bool advanceAccept(WalkPoint p, int32_t& distance) {
    for (;;) {
      to_.readThrough(accept_ + 3);
      const unsigned offset = lanes::FirstWithin(p, to_.data() + accept_, r2_, distance);
      accept_ += offset;
      if (offset < 4)
        return true;  // the padding is never within reach: a point of the stroke
      if (accept_ >= to_.size())
        return false;
      if (kConnected) {
        to_.readThrough(accept_);
        const WalkPoint q = to_.data()[accept_];
        const int32_t gap = std::max(std::abs(int32_t{p.x} - q.x), std::abs(int32_t{p.y} - q.y));
        if (gap > radius_)
          accept_ += static_cast<size_t>(gap - radius_);
        if (accept_ >= to_.size())
          return false;
      }
    }
  }

  From& from_;
  To& to_;
  int32_t r2_;
  int32_t radius_;
  size_t next_ = 0;
  size_t accept_ = 0;
  size_t nearest_ = 0;
  int64_t sum_ = 0;
};

// Both walks, a point of each in turn: each walk waits on its own reads, so
// the two overlap. What the strokes know walking their points ahead will
// add at least counts against the budget as well. kPairingFails or kPairingCut when the pairing fails or
// was cut short. Sums beyond 32 bits only come from absurdly long strokes:
// refusing the pairing is safer than letting a wrapped sum win.
template <bool kConnected, class A, class B>
int64_t WalkBothWays(A& a, B& b, int32_t radius, PairingBudget& budget) {
  const int32_t r2 = static_cast<int32_t>(std::min<int64_t>(int64_t{radius} * radius, kLargestWalkSquare));
  const int32_t reach = std::min(radius, 2 * kLargestWalkSide);
  DirectedWalk<kConnected, A, B> forward(a, b, r2, reach);
  DirectedWalk<kConnected, B, A> backward(b, a, r2, reach);
  while (!forward.done() && !backward.done()) {
    if (!forward.step() || !backward.step())
      return kPairingFails;
    if (budget.spent(forward.sum() + backward.sum() + a.lowerBoundAhead() + b.lowerBoundAhead()))
      return kPairingCut;
  }
  while (!forward.done()) {
    if (!forward.step())
      return kPairingFails;
    if (budget.spent(forward.sum() + backward.sum() + a.lowerBoundAhead() + b.lowerBoundAhead()))
      return kPairingCut;
  }
  while (!backward.done()) {
    if (!backward.step())
      return kPairingFails;
    if (budget.spent(forward.sum() + backward.sum() + a.lowerBoundAhead() + b.lowerBoundAhead()))
      return kPairingCut;
  }
  const int64_t sum = forward.sum() + backward.sum();
  return sum >= kNoPairingDistance ? kPairingFails : sum;
}

// The building blocks on strokes whose points span at most the largest
// square: moved into it (distances do not change), in walk form.
std::optional<std::pair<WalkStroke, WalkStroke>> InWalkForm(const Stroke& a, const Stroke& b) {
  const auto box = BoundingBoxOf(std::vector<Stroke>{a, b});
  if (!box)
    return std::make_pair(WalkStroke(), WalkStroke());
  if (box->width() > kLargestWalkSide || box->height() > kLargestWalkSide)
    return std::nullopt;
  auto moved = [&](const Stroke& stroke) {
    Stroke out;
    for (const Point& p : stroke)
      out.push_back(Point{p.x - box->left, p.y - box->top});
    return WalkStroke(out);
  };
  return std::make_pair(moved(a), moved(b));
}

// The plain walk, with 64-bit squares, for strokes too far apart for the
// walk form.
int64_t PlainDirected(const Stroke& a, const Stroke& b, int64_t r2) {
  auto squared = [](const Point& p, const Point& q) {
    const int64_t dx = int64_t{p.x} - q.x, dy = int64_t{p.y} - q.y;
    return dx * dx + dy * dy;
  };
  int64_t sum = 0;
  size_t accept = 0, nearest = 0;
  for (const Point& p : a) {
    while (accept < b.size() && squared(p, b[accept]) > r2)
      ++accept;
    if (accept == b.size())
      return kPairingFails;
    nearest = std::max(nearest, accept);
    while (nearest + 1 < b.size() && squared(p, b[nearest + 1]) < squared(p, b[nearest]))
      ++nearest;
    sum += std::min(squared(p, b[accept]), squared(p, b[nearest]));
    if (sum >= kNoPairingDistance)
      return kPairingFails;
  }
  return sum;
}

int32_t ToDistance(int64_t sum) {
  if (sum < 0 || sum >= kNoPairingDistance)
    return static_cast<int32_t>(kNoPairingDistance);
  return static_cast<int32_t>(sum);
}

}  // namespace

PairingBudget::PairingBudget(float total, float bound, float bestRatio, size_t length)
    : total_(total), bound_(bound), bestRatio_(bestRatio), length_(static_cast<float>(length)) {
  const double room = std::min(double{bestRatio}, double{bound} - double{total}) * double{length_};
  threshold_ = room >= 9e18 ? INT64_MAX : std::max<int64_t>(0, static_cast<int64_t>(room));
}

bool PairingBudget::recheck(int64_t sum) {
  if (fails(sum))
    return true;
  // The cheap threshold was a little early; look again a bit further on.
  threshold_ = sum + 1 + sum / 1024;
  return false;
}

// The same float steps as the shape score itself.
bool PairingBudget::fails(int64_t sum) const {
  if (sum >= kNoPairingDistance)
    return true;
  const float distance = static_cast<float>(sum);
  const float ratio = distance / length_;
  const float total = total_ + ratio;
  return !(ratio < bestRatio_) || !(total < bound_);
}

int64_t PairStrokes(const WalkStroke& gesture, LazyNormalisedStroke& shape, int32_t radius,
                    PairingBudget& budget) {
  WholeStroke whole(gesture);
  LaidOutStroke laidOut(shape);
  return WalkBothWays<true>(whole, laidOut, radius, budget);
}

int32_t DirectedDistance(const Stroke& a, const Stroke& b, int32_t radius) {
  if (auto walkForm = InWalkForm(a, b)) {
    WholeStroke from(walkForm->first), to(walkForm->second);
    const int32_t r2 = static_cast<int32_t>(std::min<int64_t>(int64_t{radius} * radius, kLargestWalkSquare));
    DirectedWalk<false, WholeStroke, WholeStroke> walk(from, to, r2, radius);
    while (!walk.done())
      if (!walk.step())
        return ToDistance(kPairingFails);
    return ToDistance(walk.sum());
  }
  return ToDistance(PlainDirected(a, b, int64_t{radius} * radius));
}

int32_t StrokeDistance(const Stroke& a, const Stroke& b, int32_t radius) {
  if (auto walkForm = InWalkForm(a, b)) {
    WholeStroke first(walkForm->first), second(walkForm->second);
    PairingBudget unlimited = PairingBudget::Unlimited();
    return ToDistance(WalkBothWays<false>(first, second, radius, unlimited));
  }
  const int64_t r2 = int64_t{radius} * radius;
  const int64_t forward = PlainDirected(a, b, r2);
  if (forward < 0)
    return ToDistance(forward);
  const int64_t backward = PlainDirected(b, a, r2);
  return backward < 0 ? ToDistance(backward) : ToDistance(forward + backward);
}
