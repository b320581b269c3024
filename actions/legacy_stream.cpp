#include "actions/legacy_stream.h"

#include <cstring>

#include "common/errors.h"
#include "gesture/first_format.h"

void LegacyStream::require(size_t count) const {
  if (position_ > data_.size() || data_.size() - position_ < count) throw ZReadError();
}

uint8_t LegacyStream::readByte() {
  require(1);
  return data_[position_++];
}

int32_t LegacyStream::readInt() {
  require(4);
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(data_[position_ + i]) << (8 * i);
  position_ += 4;
  return static_cast<int32_t>(value);
}

std::string LegacyStream::readString() {
  require(1);
  const uint8_t* start = data_.data() + position_;
  const void* zero = std::memchr(start, 0, data_.size() - position_);
  if (!zero) throw ZReadError();  // a string cut off by the end of the file
  const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
  position_ += length + 1;
  return std::string(reinterpret_cast<const char*>(start), length);
}

uint8_t LegacyStream::peek() const {
  require(1);
  return data_[position_];
}

void LegacyStream::readSymbol(FirstFormatSymbol& symbol) {
  require(kFirstFormatHeaderSize);
  size_t position = position_ + kFirstFormatHeaderSize;
  ReadFirstFormatBody(data_.data(), data_.size(), position, symbol);
  position_ = position;
}

void LegacyStream::skip(size_t count) {
  require(count);
  position_ += count;
}

void LegacyStream::stepBack(size_t count) {
  if (count > position_) throw ZReadError();
  position_ -= count;
}
