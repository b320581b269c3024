// The key of the encrypted-file layer: 20 key bytes (a password digest or the
// default key) and how many of them the cipher takes as its key.
#pragma once
#include <cstddef>
#include <cstdint>

class ZKeyBlock {
 public:
  static constexpr size_t kSize = 20;
  static constexpr size_t kProfileLength = 16;   // key of a user profile's files
  static constexpr size_t kServiceLength = 7;    // key of the service data files

  ZKeyBlock();
  ZKeyBlock(const uint8_t (&bytes)[kSize], size_t usedLength);
  ZKeyBlock(const ZKeyBlock& other);
  ZKeyBlock& operator=(const ZKeyBlock& other);
  ~ZKeyBlock();

  const uint8_t* bytes() const { return bytes_; }
  // Number of leading bytes handed to the cipher, 0 for a block never set.
  size_t usedLength() const { return used_; }
  // A copy of this block used with `length` bytes (at most kSize).
  ZKeyBlock withUsedLength(size_t length) const;

  // True when all 20 bytes are equal, whatever the used lengths.
  bool sameBytes(const ZKeyBlock& other) const;

  void clear();

 private:
  uint8_t bytes_[kSize];
  size_t used_;
};
