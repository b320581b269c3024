#include "tools/distribution/default_symbols.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {
using Path = std::vector<Point>;
constexpr double kPi = 3.14159265358979323846;
// Points of a walked path lie this far apart at most (in the 200-unit square).
constexpr double kStep = 8;

Point At(double x, double y) { return Point{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))}; }

// Appends `p` unless it repeats the last point.
void Append(Path& path, Point p) {
  if (path.empty() || path.back() != p) path.push_back(p);
}

// Straight segments through the corners.
Path Lines(std::initializer_list<Point> corners) {
  Path path;
  const std::vector<Point> c(corners);
  for (size_t i = 1; i < c.size(); ++i) {
    const double dx = c[i].x - c[i - 1].x, dy = c[i].y - c[i - 1].y;
    const int steps = std::max(1, static_cast<int>(std::ceil(std::hypot(dx, dy) / kStep)));
    for (int s = 0; s <= steps; ++s) Append(path, At(c[i - 1].x + dx * s / steps, c[i - 1].y + dy * s / steps));
  }
  return path;
}

// An elliptic arc around (cx, cy); angles in degrees on the screen (0 to the
// right, 90 downwards), walked from `from` to `to` in either sense.
Path Arc(double cx, double cy, double rx, double ry, double from, double to) {
  const double length = std::fabs(to - from) * kPi / 180 * std::max(rx, ry);
  const int steps = std::max(2, static_cast<int>(std::ceil(length / kStep)));
  Path path;
  for (int s = 0; s <= steps; ++s) {
    const double angle = (from + (to - from) * s / steps) * kPi / 180;
    Append(path, At(cx + rx * std::cos(angle), cy + ry * std::sin(angle)));
  }
  return path;
}

Path Join(std::initializer_list<Path> parts) {
  Path path;
  for (const Path& part : parts)
    for (const Point& p : part) Append(path, p);
  return path;
}

// A curve x(t), y(t) for t from 0 to 1.
template <typename Curve>
Path Traced(Curve curve, int steps) {
  Path path;
  for (int s = 0; s <= steps; ++s) {
    double x = 0, y = 0;
    curve(static_cast<double>(s) / steps, x, y);
    Append(path, At(x, y));
  }
  return path;
}

Path Spiral() {
  // Two clockwise turns outwards from the middle.
  return Traced([](double t, double& x, double& y) {
    const double angle = t * 4 * kPi, radius = 12 + 88 * t;
    x = 100 + radius * std::cos(angle);
    y = 100 + radius * std::sin(angle);
  }, 160);
}

Path FigureEight() {
  // Down the right of the lower loop, up its left, then round the upper loop.
  return Traced([](double t, double& x, double& y) {
    const double angle = t * 2 * kPi;
    x = 100 + 90 * std::sin(2 * angle);
    y = 100 + 100 * std::sin(angle);
  }, 120);
}

std::vector<DefaultCategory> BuildCategories() {
  std::vector<DefaultCategory> categories = {
      {1, "Arrows and corners",
       {{"Left", 0, Lines({{200, 100}, {0, 100}})},
        {"Right", 0, Lines({{0, 100}, {200, 100}})},
        {"Up", 0, Lines({{100, 200}, {100, 0}})},
        {"Down", 0, Lines({{100, 0}, {100, 200}})},
        {"Down Right", 0, Lines({{0, 0}, {0, 200}, {200, 200}})},
        {"Down Left", 0, Lines({{200, 0}, {200, 200}, {0, 200}})},
        {"Up Right", 0, Lines({{0, 200}, {0, 0}, {200, 0}})},
        {"Up Left", 0, Lines({{200, 200}, {200, 0}, {0, 0}})},
        {"Right Down", 0, Lines({{0, 0}, {200, 0}, {200, 200}})},
        {"Left Down", 0, Lines({{200, 0}, {0, 0}, {0, 200}})},
        {"Right Up", 0, Lines({{0, 200}, {200, 200}, {200, 0}})},
        {"Left Up", 0, Lines({{200, 200}, {0, 200}, {0, 0}})},
        {"Caret Up", 0, Lines({{0, 200}, {100, 0}, {200, 200}})},
        {"Caret Down", 0, Lines({{0, 0}, {100, 200}, {200, 0}})},
        {"Angle Left", 0, Lines({{200, 0}, {0, 100}, {200, 200}})},
        {"Angle Right", 0, Lines({{0, 0}, {200, 100}, {0, 200}})}}},
      {2, "Letters",
       {{"C", 0, Arc(110, 100, 90, 100, -45, -315)},
        {"D", 0, Join({Lines({{0, 200}, {0, 0}}), Arc(0, 100, 170, 100, -90, 90)})},
        {"P", 0, Join({Lines({{0, 200}, {0, 0}}), Arc(0, 55, 140, 55, -90, 90)})},
        {"M", 0, Lines({{0, 200}, {0, 0}, {100, 120}, {200, 0}, {200, 200}})},
        {"N", 0, Lines({{0, 200}, {0, 0}, {200, 200}, {200, 0}})},
        {"W", 0, Lines({{0, 0}, {50, 200}, {100, 60}, {150, 200}, {200, 0}})},
        {"Z", 0, Lines({{0, 0}, {200, 0}, {0, 200}, {200, 200}})},
        {"S", 0, Join({Arc(100, 50, 90, 50, -20, -270), Arc(100, 150, 90, 50, -90, 160)})},
        {"U", 0, Join({Lines({{0, 0}, {0, 110}}), Arc(100, 110, 100, 90, 180, 0), Lines({{200, 110}, {200, 0}})})},
        {"e", 0, Join({Lines({{0, 110}, {200, 110}}), Arc(100, 110, 100, 90, 0, -310)})}}},
      {3, "Circles and loops",
       {{"Circle Clockwise", 0, Arc(100, 100, 100, 100, -90, 270)},
        {"Circle Counterclockwise", 0, Arc(100, 100, 100, 100, -90, -450)},
        {"Spiral", 0, Spiral()},
        {"Figure Eight", 0, FigureEight()},
        {"Loop", 0, Join({Lines({{0, 200}, {110, 200}}), Arc(110, 110, 60, 90, 90, -270), Lines({{110, 200}, {200, 200}})})},
        {"Triangle", 0, Lines({{100, 0}, {200, 200}, {0, 200}, {100, 0}})}}},
      {4, "Zigzags",
       {{"Zigzag Right", 0, Lines({{0, 0}, {67, 200}, {133, 0}, {200, 200}})},
        {"Zigzag Left", 0, Lines({{200, 0}, {133, 200}, {67, 0}, {0, 200}})},
        {"Zigzag Down", 0, Lines({{0, 0}, {200, 67}, {0, 133}, {200, 200}})},
        {"Zigzag Up", 0, Lines({{0, 200}, {200, 133}, {0, 67}, {200, 0}})},
        {"Lightning", 0, Lines({{140, 0}, {40, 110}, {160, 90}, {60, 200}})},
        {"Scribble", 0, Lines({{0, 0}, {200, 40}, {0, 80}, {200, 120}, {0, 160}, {200, 200}})}}},
  };
  // Stable identifiers: the usage counters count symbols by them.
  for (DefaultCategory& category : categories)
    for (size_t i = 0; i < category.symbols.size(); ++i)
      category.symbols[i].identifier = category.number * 100 + static_cast<uint32_t>(i) + 1;
  return categories;
}
}  // namespace

const std::vector<DefaultCategory>& DefaultCategories() {
  static const std::vector<DefaultCategory> categories = BuildCategories();
  return categories;
}

const DefaultSymbol* FindDefaultSymbol(const std::string& name) {
  for (const DefaultCategory& category : DefaultCategories())
    for (const DefaultSymbol& symbol : category.symbols)
      if (symbol.name == name) return &symbol;
  return nullptr;
}

SymbolIcon IconForPath(const std::vector<Point>& path) {
  constexpr uint8_t kInk = 4;  // the palette's dark blue, as the symbol editor paints
  SymbolIcon::XorMask colours = {};
  SymbolIcon::AndMask transparent;
  transparent.fill(0xFF);
  SymbolIcon icon;
  if (path.empty()) return icon;
  int minX = path[0].x, maxX = minX, minY = path[0].y, maxY = minY;
  for (const Point& p : path) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const double scale = 24.0 / std::max(1, std::max(maxX - minX, maxY - minY));
  const double left = 16 - (maxX - minX) * scale / 2, top = 16 - (maxY - minY) * scale / 2;
  auto plot = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= SymbolIcon::kSide || y >= SymbolIcon::kSide) return;
    const int k = y * SymbolIcon::kSide + x;
    colours[k / 2] |= (k % 2 == 0) ? (kInk << 4) : kInk;
    transparent[k / 8] &= static_cast<uint8_t>(~(0x80 >> (k % 8)));
  };
  for (size_t i = 1; i < path.size(); ++i) {
    const double x0 = left + (path[i - 1].x - minX) * scale, y0 = top + (path[i - 1].y - minY) * scale;
    const double x1 = left + (path[i].x - minX) * scale, y1 = top + (path[i].y - minY) * scale;
    const int steps = static_cast<int>(std::ceil(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)) * 2)) + 1;
    for (int s = 0; s <= steps; ++s) {
      const int x = static_cast<int>(x0 + (x1 - x0) * s / steps), y = static_cast<int>(y0 + (y1 - y0) * s / steps);
      plot(x, y);
      plot(x + 1, y);
      plot(x, y + 1);
    }
  }
  // A dot where drawing starts: the direction tells apart symbols that look
  // alike, such as Left and Right.
  const int startX = static_cast<int>(left + (path[0].x - minX) * scale), startY = static_cast<int>(top + (path[0].y - minY) * scale);
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      if (dx * dx + dy * dy <= 5) plot(startX + dx, startY + dy);
  icon.setMasks(colours.data(), transparent.data());
  return icon;
}

Symbol MakeDefaultSymbol(const DefaultSymbol& definition) {
  Symbol symbol;
  symbol.setName(definition.name);
  symbol.setSortName(definition.name);
  symbol.setIdentifier(definition.identifier);
  Shape& shape = symbol.addShape();
  shape.setIcon(IconForPath(definition.path));
  Stroke& stroke = shape.addStroke();
  for (const Point& p : definition.path) stroke.push_back(p);
  return symbol;
}
