// SHA-1 message digest, used to turn a password into a cipher key.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

using ZSha1Digest = std::array<uint8_t, 20>;

class ZSha1 {
 public:
  ZSha1();
  void update(const void* data, size_t size);
  // Ends the message; the object must not be updated afterwards.
  ZSha1Digest finish();

  static ZSha1Digest Of(const void* data, size_t size);

 private:
  void processBlock(const uint8_t* block);

  uint32_t state_[5];
  uint8_t pending_[64];
  size_t pendingSize_ = 0;
  uint64_t totalBytes_ = 0;
};
