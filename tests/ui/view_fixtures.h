// Plug-in files for the action view tests: actions by name with a symbol
// whose icon is a known picture, and the names read back from disk.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "actions/macro.h"
#include "common/default_key.h"
#include "plugins/plugin.h"

// A symbol whose icon is opaque wherever `opaque` says, in the 32 x 32 grid.
template <typename Opaque>
Symbol PictureSymbol(uint32_t identifier, Opaque opaque) {
  Symbol symbol;
  symbol.setName("Picture " + std::to_string(identifier));
  symbol.setIdentifier(identifier);
  Shape& shape = symbol.addShape();
  SymbolIcon::XorMask colours = {};
  SymbolIcon::AndMask transparent;
  transparent.fill(0xFF);
  for (int k = 0; k < 32 * 32; ++k) {
    if (!opaque(k % 32, k / 32)) continue;
    colours[k / 2] |= (k % 2 == 0) ? 0x40 : 0x04;
    transparent[k / 8] &= static_cast<uint8_t>(~(0x80 >> (k % 8)));
  }
  SymbolIcon icon;
  icon.setMasks(colours.data(), transparent.data());
  shape.setIcon(icon);
  Stroke& stroke = shape.addStroke();
  for (int y = 0; y <= 100; y += 10) stroke.push_back({0, y});
  return symbol;
}

inline Symbol SquareSymbol(uint32_t identifier) {
  return PictureSymbol(identifier, [](int, int) { return true; });
}

inline std::unique_ptr<ZMacro> NamedMacro(const std::string& name, uint32_t symbolId = 1) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(name);
  macro->setSymbol(std::make_unique<Symbol>(SquareSymbol(symbolId)));
  return macro;
}

// Writes a plug-in holding one macro per name.
inline void WriteNamedPlugin(const std::string& path, const std::vector<std::string>& names) {
  ZPlugin plugin;
  plugin.setName("Test plug-in");
  uint32_t id = 10;
  for (const std::string& name : names) plugin.addAction(NamedMacro(name, id++));
  plugin.saveAs(path, DefaultKey());
}

inline std::unique_ptr<ZPlugin> LoadPlugin(const std::string& path) {
  auto plugin = std::make_unique<ZPlugin>();
  plugin->read(path, nullptr, DefaultKey());
  return plugin;
}

// The action names stored in the file now.
inline std::vector<std::string> NamesOnDisk(const std::string& path) {
  std::vector<std::string> names;
  const auto plugin = LoadPlugin(path);
  for (const auto& action : plugin->actions()) names.push_back(action->name());
  return names;
}

inline std::vector<std::string> NamesOf(const std::vector<ZAction*>& actions) {
  std::vector<std::string> names;
  for (const ZAction* action : actions) names.push_back(action->name());
  return names;
}
