#include "common/key_block.h"

#include <cstring>

ZKeyBlock::ZKeyBlock() : bytes_{}, used_(0) {}

ZKeyBlock::ZKeyBlock(const uint8_t (&bytes)[kSize], size_t usedLength)
    : used_(usedLength > kSize ? kSize : usedLength) {
  std::memcpy(bytes_, bytes, kSize);
}

ZKeyBlock::ZKeyBlock(const ZKeyBlock& other) : used_(other.used_) {
  std::memcpy(bytes_, other.bytes_, kSize);
}

ZKeyBlock& ZKeyBlock::operator=(const ZKeyBlock& other) {
  std::memmove(bytes_, other.bytes_, kSize);
  used_ = other.used_;
  return *this;
}

ZKeyBlock::~ZKeyBlock() { clear(); }

ZKeyBlock ZKeyBlock::withUsedLength(size_t length) const {
  ZKeyBlock copy(*this);
  copy.used_ = length > kSize ? kSize : length;
  return copy;
}

bool ZKeyBlock::sameBytes(const ZKeyBlock& other) const {
  return std::memcmp(bytes_, other.bytes_, kSize) == 0;
}

void ZKeyBlock::clear() {
  // Volatile stores: a key must not outlive its block in memory.
  volatile uint8_t* bytes = bytes_;
  for (size_t i = 0; i < kSize; ++i) bytes[i] = 0;
  used_ = 0;
}
