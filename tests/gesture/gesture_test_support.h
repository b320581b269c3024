// Small builders for strokes, shapes, symbols and recognition candidates.
#pragma once
#include <initializer_list>
#include <vector>

#include "gesture/symbol.h"

inline Stroke MakeStroke(std::initializer_list<Point> points) { return Stroke(points); }

inline Shape MakeShape(std::initializer_list<Stroke> strokes) {
  Shape shape;
  for (const Stroke& stroke : strokes)
    shape.addStroke(stroke);
  return shape;
}

inline Symbol MakeSymbol(std::initializer_list<Shape> shapes) {
  Symbol symbol;
  for (const Shape& shape : shapes)
    symbol.addShape(shape);
  return symbol;
}

inline Stroke Shifted(const Stroke& stroke, int dx, int dy) {
  Stroke out;
  for (const Point& p : stroke)
    out.push_back(Point{p.x + dx, p.y + dy});
  return out;
}

// Stands in for an action: all the recognizer asks of a candidate.
struct TestCandidate {
  const Symbol* symbolPtr = nullptr;
  const Symbol* symbol() const { return symbolPtr; }
};

inline std::vector<TestCandidate*> CandidatePointers(std::vector<TestCandidate>& candidates) {
  std::vector<TestCandidate*> pointers;
  for (TestCandidate& candidate : candidates)
    pointers.push_back(&candidate);
  return pointers;
}

// A long scribble: a point bouncing inside a square of `side` pixels, `dx`
// across and `dy` down per point, each point shaken by up to `shake` pixels.
// Dense where it is long, it crosses itself everywhere: at large tolerances
// the first acceptable point of a walk falls far behind the nearest one.
inline Stroke Zigzag(int points, int shake = 0, unsigned seed = 1, int side = 1000, int dx = 7,
                     int dy = 5) {
  Stroke stroke;
  int x = 0, y = 0;
  for (int i = 0; i < points; ++i) {
    seed = seed * 1103515245u + 12345u;  // a small LCG: the same on every platform
    const int jitterX = shake ? static_cast<int>((seed >> 8) % (2u * shake + 1)) - shake : 0;
    const int jitterY = shake ? static_cast<int>((seed >> 20) % (2u * shake + 1)) - shake : 0;
    stroke.push_back(Point{x + jitterX, y + jitterY});
    if (x + dx < 0 || x + dx > side) dx = -dx;
    if (y + dy < 0 || y + dy > side) dy = -dy;
    x += dx;
    y += dy;
  }
  return stroke;
}
