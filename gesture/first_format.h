// The first symbol file format: a Windows icon file (one 32x32 icon, 16
// colours) with the symbol's name and its single stroke appended. Still read,
// never written. The older sequential action record embeds the same body after
// 126 header bytes, so the body parser works at any position of a buffer.
//
// Portable: the parsers give a plain record, which SymbolFromFirstFormat
// turns into a Symbol.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gesture/symbol.h"

constexpr size_t kFirstFormatHeaderSize = 126;
constexpr size_t kColourMaskSize = 512;       // 32 rows of 16 bytes
constexpr size_t kTransparencyMaskSize = 128;  // 32 rows of 4 bytes

struct FirstFormatPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const FirstFormatPoint& other) const { return x == other.x && y == other.y; }
};

// Masks are in memory order, top row first (the file stores them bottom up).
struct FirstFormatSymbol {
  std::array<uint8_t, kColourMaskSize> colourMask{};
  std::array<uint8_t, kTransparencyMaskSize> transparencyMask{};
  std::string name;
  std::vector<FirstFormatPoint> points;
};

// The exact 126 bytes a first-format file starts with.
const std::array<uint8_t, kFirstFormatHeaderSize>& FirstFormatHeader();

// True when the buffer is at least 126 bytes long and starts with the header.
bool HasFirstFormatHeader(const uint8_t* data, size_t size);

// Parses the body that follows the header, starting at `position` (the first
// byte of the colour mask), and leaves `position` just after the 0xFF
// terminator. Data that ends early (inside the masks, the name or the points)
// throws ZReadError; nothing beyond data + size is ever read, and `position`
// and `out` are unchanged on failure.
void ReadFirstFormatBody(const uint8_t* data, size_t size, size_t& position, FirstFormatSymbol& out);

// A whole first-format file: checks the header, then parses the body.
// Throws ZReadError for a wrong header or a malformed body.
FirstFormatSymbol ParseFirstFormatFile(const uint8_t* data, size_t size);

// The symbol the record stands for: one shape with the record's icon and a
// single stroke of its points, name and sort name both the stored name,
// identifier 1, no path.
Symbol SymbolFromFirstFormat(const FirstFormatSymbol& record);
