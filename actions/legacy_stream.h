// Sequential reader of the older file forms (older plug-in files and the
// actions inside them): a whole file in memory and a read position. The forms
// carry no lengths and no check values, so every read is bounds-checked here:
// reading past the end of the data throws ZReadError and leaves the position
// where it was.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FirstFormatSymbol;

class LegacyStream {
 public:
  explicit LegacyStream(std::vector<uint8_t> data) : data_(std::move(data)) {}
  LegacyStream(const uint8_t* data, size_t size) : data_(data, data + size) {}

  uint8_t readByte();
  int32_t readInt();         // 4 bytes, little-endian, signed
  std::string readString();  // the bytes before the next zero byte; the zero is consumed
  uint8_t peek() const;      // the byte at the position, without advancing

  // A symbol in the first symbol format: 126 header bytes (not compared),
  // then the masks, name and points.
  void readSymbol(FirstFormatSymbol& symbol);

  void skip(size_t count);
  void stepBack(size_t count);

  size_t position() const { return position_; }
  size_t size() const { return data_.size(); }
  bool atEnd() const { return position_ >= data_.size(); }

 private:
  void require(size_t count) const;

  std::vector<uint8_t> data_;
  size_t position_ = 0;
};
