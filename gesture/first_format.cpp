#include "gesture/first_format.h"

#include <algorithm>
#include <cstring>

#include "common/errors.h"

namespace {

constexpr size_t kMaskRows = 32;
constexpr uint8_t kPointsEnd = 0xFF;

void PutLe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

void PutLe32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

std::array<uint8_t, kFirstFormatHeaderSize> BuildHeader() {
  std::array<uint8_t, kFirstFormatHeaderSize> h{};
  uint8_t* p = h.data();
  // Icon directory: reserved, type 1 (icon), one entry.
  PutLe16(p + 0, 0);
  PutLe16(p + 2, 1);
  PutLe16(p + 4, 1);
  // Directory entry: 32x32, 16 colours, image of 744 bytes at offset 22.
  p[6] = 32;
  p[7] = 32;
  p[8] = 16;
  p[9] = 0;
  PutLe16(p + 10, 0);
  PutLe16(p + 12, 0);
  PutLe32(p + 14, 744);
  PutLe32(p + 18, 22);
  // Bitmap information header; the height counts both masks.
  uint8_t* b = p + 22;
  PutLe32(b + 0, 40);
  PutLe32(b + 4, 32);
  PutLe32(b + 8, 64);
  PutLe16(b + 12, 1);
  PutLe16(b + 14, 4);
  // compression, image size, resolutions, colours used and important: all 0
  // The standard 16-colour palette, blue-green-red-zero entries.
  static const uint32_t kPaletteRgb[16] = {
      0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
      0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  uint8_t* pal = p + 62;
  for (int i = 0; i < 16; ++i) {
    const uint32_t rgb = kPaletteRgb[i];
    pal[i * 4 + 0] = static_cast<uint8_t>(rgb);        // blue
    pal[i * 4 + 1] = static_cast<uint8_t>(rgb >> 8);   // green
    pal[i * 4 + 2] = static_cast<uint8_t>(rgb >> 16);  // red
    pal[i * 4 + 3] = 0;
  }
  return h;
}

// Bounded reading over the caller's buffer; every step checks what is left.
class BodyReader {
 public:
  BodyReader(const uint8_t* data, size_t size, size_t position)
      : data_(data), size_(size), position_(position) {}

  size_t position() const { return position_; }

  const uint8_t* take(size_t count) {
    if (position_ > size_ || size_ - position_ < count) throw ZReadError();
    const uint8_t* at = data_ + position_;
    position_ += count;
    return at;
  }

  uint8_t byte() { return *take(1); }

  std::string zeroTerminated() {
    if (position_ >= size_) throw ZReadError();
    const uint8_t* start = data_ + position_;
    const void* zero = std::memchr(start, 0, size_ - position_);
    if (!zero) throw ZReadError();
    const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
    position_ += length + 1;
    return std::string(reinterpret_cast<const char*>(start), length);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_;
};

template <size_t N>
void ReadMaskBottomUp(BodyReader& reader, std::array<uint8_t, N>& mask) {
  constexpr size_t rowBytes = N / kMaskRows;
  for (size_t row = kMaskRows; row-- > 0;) {
    const uint8_t* src = reader.take(rowBytes);
    std::copy(src, src + rowBytes, mask.begin() + row * rowBytes);
  }
}

}  // namespace

const std::array<uint8_t, kFirstFormatHeaderSize>& FirstFormatHeader() {
  static const std::array<uint8_t, kFirstFormatHeaderSize> header = BuildHeader();
  return header;
}

bool HasFirstFormatHeader(const uint8_t* data, size_t size) {
  if (!data || size < kFirstFormatHeaderSize) return false;
  const auto& header = FirstFormatHeader();
  return std::equal(header.begin(), header.end(), data);
}

void ReadFirstFormatBody(const uint8_t* data, size_t size, size_t& position, FirstFormatSymbol& out) {
  if (!data) throw ZReadError();
  BodyReader reader(data, size, position);
  FirstFormatSymbol symbol;
  ReadMaskBottomUp(reader, symbol.colourMask);
  ReadMaskBottomUp(reader, symbol.transparencyMask);
  reader.take(1);  // a byte without meaning in this format
  symbol.name = reader.zeroTerminated();
  for (;;) {
    const uint8_t x = reader.byte();
    if (x == kPointsEnd) break;
    const uint8_t y = reader.byte();
    symbol.points.push_back({x, y});
  }
  position = reader.position();
  out = std::move(symbol);
}

FirstFormatSymbol ParseFirstFormatFile(const uint8_t* data, size_t size) {
  if (!HasFirstFormatHeader(data, size)) throw ZReadError();
  size_t position = kFirstFormatHeaderSize;
  FirstFormatSymbol symbol;
  ReadFirstFormatBody(data, size, position, symbol);
  return symbol;
}

Symbol SymbolFromFirstFormat(const FirstFormatSymbol& record) {
  Symbol symbol;
  SymbolIcon icon;
  icon.setMasks(record.colourMask.data(), record.transparencyMask.data());
  Shape& shape = symbol.addShape(Shape(icon));
  Stroke& stroke = shape.addStroke();
  stroke.reserve(record.points.size());
  for (const FirstFormatPoint& p : record.points) stroke.push_back({p.x, p.y});
  symbol.setName(record.name);
  symbol.setSortName(record.name);
  symbol.setIdentifier(Symbol::kDefaultIdentifier);
  return symbol;
}
