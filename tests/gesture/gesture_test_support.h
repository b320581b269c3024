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
