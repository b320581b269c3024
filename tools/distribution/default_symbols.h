// The ready-made symbols that ship in the shared symbol library, and the
// common actions' choice among them. Each symbol is one clean stroke given as
// a polyline in a 200-unit square (y grows downwards, as on the screen); the
// file tool writes them, the tests draw and recognise them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gesture/point.h"
#include "gesture/symbol.h"

struct DefaultSymbol {
  std::string name;
  uint32_t identifier;
  std::vector<Point> path;  // the stroke, densely walked
};

struct DefaultCategory {
  uint32_t number;  // the library folder "%02u"
  std::string name;
  std::vector<DefaultSymbol> symbols;
};

// The categories in display order.
const std::vector<DefaultCategory>& DefaultCategories();

// The symbol of that name in any category; null when there is none.
const DefaultSymbol* FindDefaultSymbol(const std::string& name);

// The symbol as stored: one shape, one stroke, its icon drawn from the path.
Symbol MakeDefaultSymbol(const DefaultSymbol& symbol);

// The 32 x 32 icon of a path: drawn two pixels wide in the editor's dark
// blue, scaled into the square with a margin.
SymbolIcon IconForPath(const std::vector<Point>& path);
