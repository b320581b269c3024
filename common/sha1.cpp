#include "common/sha1.h"

#include <algorithm>
#include <cstring>

#include "common/secure_wipe.h"

namespace {

uint32_t RotateLeft(uint32_t value, int bits) {
  return (value << bits) | (value >> (32 - bits));
}

}  // namespace

ZSha1::ZSha1() : state_{0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0} {}

// What the hash has seen is a password and what it ends with is a key.
ZSha1::~ZSha1() { wipe(); }

void ZSha1::wipe() {
  SecureWipe(state_, sizeof state_);
  SecureWipe(pending_, sizeof pending_);
  pendingSize_ = 0;
  totalBytes_ = 0;
}

void ZSha1::processBlock(const uint8_t* block) {
  uint32_t w[80];
  for (int i = 0; i < 16; ++i) {
    w[i] = uint32_t(block[4 * i]) << 24 | uint32_t(block[4 * i + 1]) << 16 |
           uint32_t(block[4 * i + 2]) << 8 | uint32_t(block[4 * i + 3]);
  }
  for (int i = 16; i < 80; ++i) w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3], e = state_[4];
  for (int i = 0; i < 80; ++i) {
    uint32_t f, k;
    if (i < 20) {
      f = (b & c) | (~b & d);
      k = 0x5A827999;
    } else if (i < 40) {
      f = b ^ c ^ d;
      k = 0x6ED9EBA1;
    } else if (i < 60) {
      f = (b & c) | (b & d) | (c & d);
      k = 0x8F1BBCDC;
    } else {
      f = b ^ c ^ d;
      k = 0xCA62C1D6;
    }
    const uint32_t next = RotateLeft(a, 5) + f + e + k + w[i];
    e = d;
    d = c;
    c = RotateLeft(b, 30);
    b = a;
    a = next;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
  state_[4] += e;
  // The schedule holds the message words, the working variables the state.
  SecureWipe(w, sizeof w);
  a = b = c = d = e = 0;
  SecureWipe(&a, sizeof a);
  SecureWipe(&b, sizeof b);
  SecureWipe(&c, sizeof c);
  SecureWipe(&d, sizeof d);
  SecureWipe(&e, sizeof e);
}

void ZSha1::update(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  totalBytes_ += size;
  while (size > 0) {
    const size_t take = std::min(size, sizeof pending_ - pendingSize_);
    std::memcpy(pending_ + pendingSize_, bytes, take);
    pendingSize_ += take;
    bytes += take;
    size -= take;
    if (pendingSize_ == sizeof pending_) {
      processBlock(pending_);
      pendingSize_ = 0;
    }
  }
}

ZSha1Digest ZSha1::finish() {
  const uint64_t bitLength = totalBytes_ * 8;
  const uint8_t marker = 0x80;
  update(&marker, 1);
  const uint8_t zero = 0;
  while (pendingSize_ != 56) update(&zero, 1);
  uint8_t length[8];
  for (int i = 0; i < 8; ++i) length[i] = static_cast<uint8_t>(bitLength >> (56 - 8 * i));
  update(length, sizeof length);

  ZSha1Digest digest;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<uint8_t>(state_[i] >> (24 - 8 * j));
  }
  wipe();
  return digest;
}

ZSha1Digest ZSha1::Of(const void* data, size_t size) {
  ZSha1 sha;
  sha.update(data, size);
  return sha.finish();
}
