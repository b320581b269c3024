// Points of normalised strokes in the form the pairing walks read them.
// Coordinates of the recognizer's square fit 16 bits, so four points fill
// one 128-bit register and one multiply-add gives their squared distances to
// a point. Every stroke in this form is followed by kWalkPadding far points,
// so that a walk may read a few points past the end without looking where it
// is: no walk ever takes one of them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "gesture/point.h"
#include "gesture/stroke.h"
#include "gesture/sse2.h"

struct WalkPoint {
  int16_t x;
  int16_t y;
};

// Coordinates of walk points lie within [0, kLargestWalkSide].
constexpr int32_t kLargestWalkSide = 4096;
// No two points of the square are farther apart than this squared; a larger
// squared radius accepts every point alike.
constexpr int32_t kLargestWalkSquare = 2 * kLargestWalkSide * kLargestWalkSide;
// The padding: farther from every point of the square than any two of its
// points are apart, and its squared distance to them still fits 31 bits.
constexpr size_t kWalkPadding = 8;
constexpr WalkPoint kFarWalkPoint{32767, 0};

inline WalkPoint ToWalkPoint(const Point& p) {
  return WalkPoint{static_cast<int16_t>(p.x), static_cast<int16_t>(p.y)};
}
inline Point ToPoint(WalkPoint p) { return Point{p.x, p.y}; }

// Room for the points of one stroke and its padding. The memory is kept from
// one stroke to the next and grows only for a longer one; new room is left
// unwritten (a long stroke would otherwise pay for it twice).
class WalkBuffer {
 public:
  // Room for `count` points, with the padding written after them.
  WalkPoint* prepare(size_t count) {
    if (count + kWalkPadding > capacity_) {
      capacity_ = count + kWalkPadding + count / 2;
      points_.reset(new WalkPoint[capacity_]);
    }
    for (size_t i = 0; i < kWalkPadding; ++i)
      points_[count + i] = kFarWalkPoint;
    return points_.get();
  }
  WalkPoint* data() { return points_.get(); }
  const WalkPoint* data() const { return points_.get(); }

 private:
  std::unique_ptr<WalkPoint[]> points_;
  size_t capacity_ = 0;
};

// A whole stroke of the square in walk form.
class WalkStroke {
 public:
  WalkStroke() { buffer_.prepare(0); }
  explicit WalkStroke(const Stroke& stroke) { assign(stroke); }
  void assign(const Stroke& stroke) {
    WalkPoint* out = buffer_.prepare(stroke.size());
    for (size_t i = 0; i < stroke.size(); ++i)
      out[i] = ToWalkPoint(stroke[i]);
    size_ = stroke.size();
  }
  // Room for `count` points to be written; call padded() once they are
  // (writers may spill a little into the padding).
  WalkPoint* prepare(size_t count) {
    size_ = count;
    return buffer_.prepare(count);
  }
  void padded() { buffer_.prepare(size_); }

  const WalkPoint* data() const { return buffer_.data(); }
  size_t size() const { return size_; }
  Stroke toStroke() const {
    Stroke stroke(size_);
    for (size_t i = 0; i < size_; ++i)
      stroke[i] = ToPoint(data()[i]);
    return stroke;
  }

 private:
  WalkBuffer buffer_;
  size_t size_ = 0;
};
