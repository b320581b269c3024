// The ready-made symbols are told apart: every symbol of the shipped library,
// drawn as a person would (a little shaky, corners rounded, slanted, turned,
// stretched), is recognised as itself among all of them at the default
// tolerance. Two symbols that look alike to the recognizer fail here.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "gesture/symbol_recognizer.h"
#include "tools/distribution/default_symbols.h"

namespace {
constexpr int32_t kBox = 100;
constexpr int32_t kDefaultTolerance = 30;

struct Candidate {
  Symbol stored;
  const Symbol* symbol() const { return &stored; }
};

using Path = std::vector<Point>;
struct Drawn {
  double x, y;
};
using DrawnPath = std::vector<Drawn>;

// The symbol drawn 150 pixels wide on the screen, a point every 4 pixels or so.
DrawnPath OnScreen(const Path& path) {
  DrawnPath drawn;
  for (size_t i = 0; i < path.size(); ++i) {
    const Drawn a{300 + path[i].x * 0.75, 200 + path[i].y * 0.75};
    if (i == 0) {
      drawn.push_back(a);
      continue;
    }
    const Drawn from = drawn.back();
    const int steps = std::max(1, static_cast<int>(std::hypot(a.x - from.x, a.y - from.y) / 4));
    for (int s = 1; s <= steps; ++s)
      drawn.push_back({from.x + (a.x - from.x) * s / steps, from.y + (a.y - from.y) * s / steps});
  }
  return drawn;
}

DrawnPath Shaky(DrawnPath p) {
  for (size_t i = 0; i < p.size(); ++i) {
    p[i].x += 4 * std::sin(i * 0.9 + 1);
    p[i].y += 4 * std::cos(i * 1.3);
  }
  return p;
}

// Corners rounded off: every point the mean of its neighbours within 3.
DrawnPath Rounded(const DrawnPath& p) {
  DrawnPath out;
  for (size_t i = 0; i < p.size(); ++i) {
    double x = 0, y = 0;
    int n = 0;
    for (size_t j = (i < 3 ? 0 : i - 3); j <= i + 3 && j < p.size(); ++j, ++n) x += p[j].x, y += p[j].y;
    out.push_back({x / n, y / n});
  }
  return out;
}

DrawnPath Turned(DrawnPath p, double degrees) {
  const double a = degrees * 3.14159265358979 / 180, c = std::cos(a), s = std::sin(a);
  for (Drawn& d : p) d = {400 + (d.x - 400) * c - (d.y - 300) * s, 300 + (d.x - 400) * s + (d.y - 300) * c};
  return p;
}

DrawnPath Slanted(DrawnPath p) {
  for (Drawn& d : p) d.x += 0.2 * (300 - d.y);
  return p;
}

DrawnPath Stretched(DrawnPath p) {
  for (Drawn& d : p) d.x = 300 + (d.x - 300) * 1.5;
  return p;
}

Gesture AsGesture(const DrawnPath& drawn) {
  Stroke stroke;
  for (const Drawn& d : drawn) {
    const Point p{static_cast<int32_t>(std::lround(d.x)), static_cast<int32_t>(std::lround(d.y))};
    if (stroke.empty() || stroke.back() != p) stroke.push_back(p);
  }
  return Gesture{stroke};
}

struct Drawing {
  const char* how;
  std::function<DrawnPath(const DrawnPath&)> draw;
};

const std::vector<Drawing>& Drawings() {
  static const std::vector<Drawing> drawings = {
      {"exactly", [](const DrawnPath& p) { return p; }},
      {"shaky", [](const DrawnPath& p) { return Shaky(p); }},
      {"with rounded corners", [](const DrawnPath& p) { return Rounded(p); }},
      {"rounded and shaky", [](const DrawnPath& p) { return Shaky(Rounded(p)); }},
      {"turned 10 degrees left", [](const DrawnPath& p) { return Turned(p, -10); }},
      {"turned 10 degrees right", [](const DrawnPath& p) { return Turned(p, 10); }},
      {"slanted", [](const DrawnPath& p) { return Slanted(p); }},
      {"stretched", [](const DrawnPath& p) { return Stretched(Rounded(p)); }},
  };
  return drawings;
}

std::vector<Candidate> WholeLibrary() {
  std::vector<Candidate> all;
  for (const DefaultCategory& category : DefaultCategories())
    for (const DefaultSymbol& symbol : category.symbols) all.push_back({MakeDefaultSymbol(symbol)});
  return all;
}

TEST(DefaultSymbols, NamesAndIdentifiersAreUniqueAndEveryStrokeIsDrawn) {
  std::set<std::string> names;
  std::set<uint32_t> identifiers;
  size_t count = 0;
  for (const DefaultCategory& category : DefaultCategories()) {
    EXPECT_GE(category.symbols.size(), 4u) << category.name;
    for (const DefaultSymbol& symbol : category.symbols) {
      ++count;
      names.insert(symbol.name);
      identifiers.insert(symbol.identifier);
      EXPECT_GE(symbol.path.size(), 10u) << symbol.name;
      EXPECT_NE(MakeDefaultSymbol(symbol).shapes()[0].icon(), SymbolIcon()) << symbol.name << " has a blank icon";
    }
  }
  EXPECT_EQ(names.size(), count);
  EXPECT_EQ(identifiers.size(), count);
}

TEST(DefaultSymbols, EachDrawnAsAPersonWouldIsRecognisedAsItselfAmongTheWholeLibrary) {
  std::vector<Candidate> library = WholeLibrary();
  std::vector<Candidate*> candidates;
  for (Candidate& c : library) candidates.push_back(&c);
  int recognised = 0;
  for (const Candidate& expected : library) {
    const DrawnPath drawn = OnScreen(expected.stored.shapes()[0].strokes()[0]);
    for (const Drawing& drawing : Drawings()) {
      SymbolRecognizer recognizer(AsGesture(drawing.draw(drawn)), kBox, kDefaultTolerance);
      const Candidate* winner = recognizer.recognize(candidates);
      EXPECT_EQ(winner, &expected) << expected.stored.name() << " drawn " << drawing.how << " was read as "
                                   << (winner ? winner->stored.name() : std::string("nothing"));
      recognised += winner == &expected;
    }
  }
  EXPECT_EQ(recognised, static_cast<int>(library.size() * Drawings().size()));
}

}  // namespace
