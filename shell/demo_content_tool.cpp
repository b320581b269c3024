// ZavotraDemoContent.exe FOLDER: development tool of tools/run.sh. Writes a
// small "common.ztc" and "services.ztc" into FOLDER (the staged skeleton's
// plug-ins folder) when they are missing, so that a first start from the
// staged installation shows real plug-ins. The installer brings the real
// content; these are a few everyday actions with simple symbols.
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "actions/command_hotkey.h"
#include "actions/command_system.h"
#include "actions/key_table.h"
#include "actions/macro.h"
#include "actions/web_service.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "plugins/plugin.h"

namespace {
using Path = std::vector<Point>;

// The icon palette's dark blue, as the symbol editor paints.
constexpr uint8_t kInk = 4;

uint8_t KeyIndex(BYTE virtualKey) {
  for (int i = 1; i < KeyTable::kSize; ++i)
    if (KeyTable::virtualKey(i) == virtualKey) return static_cast<uint8_t>(i);
  return KeyTable::kNoKey;
}

// The path drawn into a 32 x 32 icon, two pixels wide, inside a 4 pixel margin.
SymbolIcon IconFor(const Path& path) {
  int minX = path[0].x, maxX = minX, minY = path[0].y, maxY = minY;
  for (const Point& p : path) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const double span = std::max(1, std::max(maxX - minX, maxY - minY));
  const double scale = 22.0 / span;
  const double offsetX = 16 - (maxX - minX) * scale / 2, offsetY = 16 - (maxY - minY) * scale / 2;
  SymbolIcon::XorMask colours = {};
  SymbolIcon::AndMask transparent;
  transparent.fill(0xFF);
  auto plot = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= 32 || y >= 32) return;
    const int k = y * 32 + x;
    colours[k / 2] |= (k % 2 == 0) ? (kInk << 4) : kInk;
    transparent[k / 8] &= static_cast<uint8_t>(~(0x80 >> (k % 8)));
  };
  for (size_t i = 1; i < path.size(); ++i) {
    const double x0 = offsetX + (path[i - 1].x - minX) * scale, y0 = offsetY + (path[i - 1].y - minY) * scale;
    const double x1 = offsetX + (path[i].x - minX) * scale, y1 = offsetY + (path[i].y - minY) * scale;
    const int steps = static_cast<int>(std::ceil(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)) * 2)) + 1;
    for (int s = 0; s <= steps; ++s) {
      const double x = x0 + (x1 - x0) * s / steps, y = y0 + (y1 - y0) * s / steps;
      plot(static_cast<int>(x), static_cast<int>(y));
      plot(static_cast<int>(x) + 1, static_cast<int>(y));
      plot(static_cast<int>(x), static_cast<int>(y) + 1);
    }
  }
  SymbolIcon icon;
  icon.setMasks(colours.data(), transparent.data());
  return icon;
}

// A polyline through the corners, walked in steps of 10.
Path Through(const std::vector<Point>& corners) {
  Path path;
  for (size_t i = 1; i < corners.size(); ++i) {
    const Point a = corners[i - 1], b = corners[i];
    const int steps = std::max(1, static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / 10));
    for (int s = 0; s < steps; ++s) path.push_back(Point{a.x + (b.x - a.x) * s / steps, a.y + (b.y - a.y) * s / steps});
  }
  path.push_back(corners.back());
  return path;
}

Path Arc(double from, double to) {
  Path path;
  for (int s = 0; s <= 20; ++s) {
    const double angle = from + (to - from) * s / 20;
    path.push_back(Point{static_cast<int>(50 + 50 * std::cos(angle)), static_cast<int>(50 + 50 * std::sin(angle))});
  }
  return path;
}

std::unique_ptr<Symbol> MakeSymbol(const std::string& name, uint32_t id, const Path& path) {
  auto symbol = std::make_unique<Symbol>();
  symbol->setName(name);
  symbol->setSortName(name);
  symbol->setIdentifier(id);
  Shape& shape = symbol->addShape();
  shape.setIcon(IconFor(path));
  Stroke& stroke = shape.addStroke();
  for (const Point& p : path) stroke.push_back(p);
  return symbol;
}

std::unique_ptr<ZMacro> OneCommand(const std::string& name, std::unique_ptr<Symbol> symbol,
                                   std::unique_ptr<ZCommand> command) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(name);
  macro->setSymbol(std::move(symbol));
  macro->append(std::move(command));
  return macro;
}

std::unique_ptr<ZMacro> Keys(const std::string& name, std::unique_ptr<Symbol> symbol, std::vector<BYTE> keys) {
  auto command = std::make_unique<ZCommandHotkey>();
  for (size_t i = 0; i < keys.size() && i < ZCommandHotkey::kSlots; ++i) command->setKey(static_cast<int>(i), KeyIndex(keys[i]));
  return OneCommand(name, std::move(symbol), std::move(command));
}

std::unique_ptr<ZMacro> System(const std::string& name, std::unique_ptr<Symbol> symbol, int function) {
  auto command = std::make_unique<ZCommandSystem>();
  command->setFunction(function);
  return OneCommand(name, std::move(symbol), std::move(command));
}

std::unique_ptr<ZWebService> Service(const std::string& name, std::unique_ptr<Symbol> symbol, int32_t id) {
  auto service = std::make_unique<ZWebService>();
  service->setName(name);
  service->setSymbol(std::move(symbol));
  service->setServiceId(id);
  return service;
}

void WriteCommon(const std::string& path) {
  const double pi = 3.14159265358979;
  ZPlugin plugin;
  plugin.setName("Common");
  plugin.addAction(Keys("Copy", MakeSymbol("C", 101, Arc(-pi / 4, -7 * pi / 4)), {VK_CONTROL, 'C'}));
  plugin.addAction(Keys("Paste", MakeSymbol("V", 102, Through({{0, 0}, {50, 100}, {100, 0}})), {VK_CONTROL, 'V'}));
  plugin.addAction(Keys("Undo", MakeSymbol("Left", 103, Through({{100, 0}, {0, 50}, {100, 100}})), {VK_CONTROL, 'Z'}));
  plugin.addAction(Keys("Redo", MakeSymbol("Right", 104, Through({{0, 0}, {100, 50}, {0, 100}})), {VK_CONTROL, 'Y'}));
  plugin.addAction(System("Maximize", MakeSymbol("Up", 105, Through({{0, 100}, {50, 0}, {100, 100}})),
                          ZCommandSystem::kMaximize));
  plugin.addAction(System("Minimize", MakeSymbol("L", 106, Through({{0, 0}, {0, 100}, {100, 100}})),
                          ZCommandSystem::kMinimize));
  plugin.addAction(Keys("Close window", MakeSymbol("Z", 107, Through({{0, 0}, {100, 0}, {0, 100}, {100, 100}})),
                        {VK_MENU, VK_F4}));
  plugin.addAction(System("Show desktop", MakeSymbol("N", 108, Through({{0, 100}, {0, 0}, {100, 100}, {100, 0}})),
                          ZCommandSystem::kMinimizeAll));
  plugin.saveAs(path, DefaultKey());
}

void WriteServices(const std::string& path) {
  ZPlugin plugin;
  plugin.setName("Services");
  plugin.addAction(Service("Search the web", MakeSymbol("S", 201, Through({{100, 0}, {0, 20}, {100, 80}, {0, 100}})), 1));
  plugin.addAction(Service("Dictionary", MakeSymbol("D", 202, Through({{0, 100}, {0, 0}, {100, 50}, {0, 100}})), 2));
  plugin.addAction(Service("Maps", MakeSymbol("M", 203, Through({{0, 100}, {0, 0}, {50, 60}, {100, 0}, {100, 100}})), 3));
  plugin.saveAs(path, DefaultKey());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = std::string(argv[1]) + "\\";
  try {
    if (!Exists(folder + "common.ztc")) WriteCommon(folder + "common.ztc");
    if (!Exists(folder + "services.ztc")) WriteServices(folder + "services.ztc");
  } catch (const ZWriteError&) {
    return 1;
  }
  return 0;
}
