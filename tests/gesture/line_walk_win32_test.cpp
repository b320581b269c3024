// The portable line walk against the system's LineDDA, in every octant and on
// the degenerate segments.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "gesture/line_walk.h"

namespace {

void CALLBACK CollectPoint(int x, int y, LPARAM data) {
  reinterpret_cast<Stroke*>(data)->push_back(Point{x, y});
}

Stroke SystemWalk(Point from, Point to) {
  Stroke out;
  LineDDA(from.x, from.y, to.x, to.y, CollectPoint, reinterpret_cast<LPARAM>(&out));
  return out;
}

Stroke PortableWalk(Point from, Point to) {
  Stroke out;
  AppendLineWalk(from, to, out);
  return out;
}

TEST(LineWalkWin32, AgreesWithLineDdaOnEveryKindOfSegment) {
  struct Segment { Point from, to; };
  const Segment table[] = {
      {{0, 0}, {0, 0}},     {{7, -3}, {7, -3}},                       // zero length
      {{0, 0}, {9, 0}},     {{0, 0}, {-9, 0}},                        // horizontal
      {{0, 0}, {0, 9}},     {{0, 0}, {0, -9}},                        // vertical
      {{0, 0}, {6, 6}},     {{0, 0}, {-6, 6}}, {{0, 0}, {6, -6}}, {{0, 0}, {-6, -6}},  // diagonals
      {{0, 0}, {1, 0}},     {{0, 0}, {0, 1}},  {{0, 0}, {1, 1}},  {{0, 0}, {-1, 1}},
      // Shallow and steep in all eight octants.
      {{0, 0}, {10, 3}},    {{0, 0}, {3, 10}},   {{0, 0}, {-3, 10}},  {{0, 0}, {-10, 3}},
      {{0, 0}, {-10, -3}},  {{0, 0}, {-3, -10}}, {{0, 0}, {3, -10}},  {{0, 0}, {10, -3}},
      {{0, 0}, {7, 2}},     {{0, 0}, {2, 7}},    {{0, 0}, {8, 4}},    {{0, 0}, {4, 8}},
      {{0, 0}, {-8, -4}},   {{0, 0}, {-4, 8}},   {{0, 0}, {100, 1}},  {{0, 0}, {1, 100}},
      {{0, 0}, {100, 99}},  {{0, 0}, {-99, 100}},
      // Away from the origin, as in a normalised stroke.
      {{37, 12}, {95, 40}}, {{95, 40}, {37, 12}}, {{50, 50}, {49, 0}}, {{3, 97}, {100, 0}},
  };
  for (const Segment& s : table)
    EXPECT_EQ(PortableWalk(s.from, s.to), SystemWalk(s.from, s.to))
        << "(" << s.from.x << "," << s.from.y << ")-(" << s.to.x << "," << s.to.y << ")";
}

TEST(LineWalkWin32, AgreesWithLineDdaOnRandomSegments) {
  std::mt19937 random(77);
  std::uniform_int_distribution<int> coordinate(-120, 120);
  for (int i = 0; i < 5000; ++i) {
    const Point from{coordinate(random), coordinate(random)};
    const Point to{coordinate(random), coordinate(random)};
    ASSERT_EQ(PortableWalk(from, to), SystemWalk(from, to))
        << "(" << from.x << "," << from.y << ")-(" << to.x << "," << to.y << ")";
  }
}

}  // namespace
