// SHA-1 message digest, used to turn a password into a cipher key.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

using ZSha1Digest = std::array<uint8_t, 20>;

class ZSha1 {
 public:
  ZSha1();
  // Wipes what is left of the message and the state.
  ~ZSha1();
  ZSha1(const ZSha1&) = delete;
  ZSha1& operator=(const ZSha1&) = delete;

  void update(const void* data, size_t size);
  // Ends the message and wipes the state and the message bytes it still
  // holds; the object must not be updated afterwards.
  ZSha1Digest finish();

  static ZSha1Digest Of(const void* data, size_t size);

 private:
  void processBlock(const uint8_t* block);
  void wipe();

  uint32_t state_[5];
  uint8_t pending_[64];
  size_t pendingSize_ = 0;
  uint64_t totalBytes_ = 0;
};
