// Blowfish with 16 rounds. A cipher state is built from a key for one
// operation and wiped when it goes out of scope.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

class ZBlowfish {
 public:
  static constexpr size_t kBlockSize = 8;
  static constexpr size_t kMaxKeyLength = 56;

  // Key length 1..kMaxKeyLength; use isValid() to learn whether it was.
  ZBlowfish(const uint8_t* key, size_t length);
  ~ZBlowfish();
  ZBlowfish(const ZBlowfish&) = delete;
  ZBlowfish& operator=(const ZBlowfish&) = delete;

  bool isValid() const { return state_ != nullptr; }

  void encryptBlock(uint32_t& left, uint32_t& right) const;
  void decryptBlock(uint32_t& left, uint32_t& right) const;

  // ECB over whole 8-byte blocks in place. Each block is two little-endian
  // words, the first four bytes being the left half. `size` must be a
  // multiple of kBlockSize.
  void encryptBlocks(uint8_t* data, size_t size) const;
  void decryptBlocks(uint8_t* data, size_t size) const;

 private:
  struct State;
  uint32_t feistel(uint32_t half) const;
  std::unique_ptr<State> state_;
};
