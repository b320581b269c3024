#include "common/blowfish.h"

#include <cstring>

#include "common/blowfish_tables.h"

struct ZBlowfish::State {
  uint32_t p[kBlowfishSubkeys];
  uint32_t s[4][256];
};

namespace {

uint32_t LoadLittleEndian(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

void StoreLittleEndian(uint32_t word, uint8_t* bytes) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(word >> (8 * i));
}

// Volatile stores so that the wipe of a dying state is not optimised away.
void Wipe(void* data, size_t size) {
  volatile uint8_t* bytes = static_cast<volatile uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) bytes[i] = 0;
}

}  // namespace

ZBlowfish::ZBlowfish(const uint8_t* key, size_t length) {
  if (key == nullptr || length == 0 || length > kMaxKeyLength) return;
  state_.reset(new State);
  std::memcpy(state_->p, kBlowfishInitialP, sizeof state_->p);
  std::memcpy(state_->s, kBlowfishInitialS, sizeof state_->s);

  // Key bytes taken cyclically, four at a time, most significant first.
  size_t next = 0;
  for (uint32_t& subkey : state_->p) {
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i) {
      word = (word << 8) | key[next];
      next = (next + 1) % length;
    }
    subkey ^= word;
  }

  uint32_t left = 0, right = 0;
  for (int i = 0; i < kBlowfishSubkeys; i += 2) {
    encryptBlock(left, right);
    state_->p[i] = left;
    state_->p[i + 1] = right;
  }
  for (auto& box : state_->s) {
    for (int i = 0; i < 256; i += 2) {
      encryptBlock(left, right);
      box[i] = left;
      box[i + 1] = right;
    }
  }
}

ZBlowfish::~ZBlowfish() {
  if (state_) Wipe(state_.get(), sizeof(State));
}

uint32_t ZBlowfish::feistel(uint32_t half) const {
  const auto& s = state_->s;
  return ((s[0][half >> 24] + s[1][(half >> 16) & 0xFF]) ^ s[2][(half >> 8) & 0xFF]) +
         s[3][half & 0xFF];
}

void ZBlowfish::encryptBlock(uint32_t& left, uint32_t& right) const {
  const uint32_t* p = state_->p;
  uint32_t l = left, r = right;
  for (int round = 0; round < kBlowfishRounds; round += 2) {
    l ^= p[round];
    r ^= feistel(l);
    r ^= p[round + 1];
    l ^= feistel(r);
  }
  left = r ^ p[kBlowfishRounds + 1];
  right = l ^ p[kBlowfishRounds];
}

void ZBlowfish::decryptBlock(uint32_t& left, uint32_t& right) const {
  const uint32_t* p = state_->p;
  uint32_t l = left, r = right;
  for (int round = kBlowfishRounds + 1; round > 1; round -= 2) {
    l ^= p[round];
    r ^= feistel(l);
    r ^= p[round - 1];
    l ^= feistel(r);
  }
  left = r ^ p[0];
  right = l ^ p[1];
}

void ZBlowfish::encryptBlocks(uint8_t* data, size_t size) const {
  for (size_t offset = 0; offset + kBlockSize <= size; offset += kBlockSize) {
    uint32_t left = LoadLittleEndian(data + offset);
    uint32_t right = LoadLittleEndian(data + offset + 4);
    encryptBlock(left, right);
    StoreLittleEndian(left, data + offset);
    StoreLittleEndian(right, data + offset + 4);
  }
}

void ZBlowfish::decryptBlocks(uint8_t* data, size_t size) const {
  for (size_t offset = 0; offset + kBlockSize <= size; offset += kBlockSize) {
    uint32_t left = LoadLittleEndian(data + offset);
    uint32_t right = LoadLittleEndian(data + offset + 4);
    decryptBlock(left, right);
    StoreLittleEndian(left, data + offset);
    StoreLittleEndian(right, data + offset + 4);
  }
}
