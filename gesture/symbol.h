// A stored symbol: the alternative shapes in which it may be drawn, with the
// texts and the identifier the user sees and the statistics count under.
//
// Copies are deep (shapes, strokes, icons with handles of their own, texts,
// identifier, path): the symbol library and every action hold separate
// copies, and changing one never changes another. Reading and writing symbol
// files lives with the file code, not here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "gesture/shape.h"

class Symbol {
 public:
  static constexpr uint32_t kDefaultIdentifier = 1;

  const std::vector<Shape>& shapes() const { return shapes_; }
  std::vector<Shape>& shapes() { return shapes_; }
  size_t shapeCount() const { return shapes_.size(); }

  Shape& addShape(Shape shape = {});
  // The shape being built; a symbol without shapes gets its first, empty one here.
  Shape& lastShape();

  // 8-bit text in the system code page.
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  const std::string& sortName() const { return sortName_; }
  void setSortName(std::string sortName) { sortName_ = std::move(sortName); }

  // The key under which uses of the symbol are counted for the statistics.
  uint32_t identifier() const { return identifier_; }
  void setIdentifier(uint32_t identifier) { identifier_ = identifier; }

  // The file last loaded from or saved to; empty when never on disk.
  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }

  friend bool operator==(const Symbol& a, const Symbol& b) {
    return a.shapes_ == b.shapes_ && a.name_ == b.name_ && a.sortName_ == b.sortName_ &&
           a.identifier_ == b.identifier_ && a.path_ == b.path_;
  }
  friend bool operator!=(const Symbol& a, const Symbol& b) { return !(a == b); }

 private:
  std::vector<Shape> shapes_;
  std::string name_;
  std::string sortName_;
  uint32_t identifier_ = kDefaultIdentifier;
  std::string path_;
};
