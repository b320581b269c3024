// A point of a stroke, in the units the stroke was recorded in (screen
// pixels for a fresh gesture, editor grid cells or file units for a stored
// symbol). Laid out exactly like the Win32 POINT, because symbol files store
// points in that layout.
#pragma once
#include <cstdint>
#include <type_traits>

struct Point {
  int32_t x = 0;
  int32_t y = 0;

  friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};

static_assert(sizeof(Point) == 8, "Point must keep the POINT layout");
static_assert(std::is_standard_layout<Point>::value && std::is_trivially_copyable<Point>::value,
              "Point is copied to and from files byte for byte");
