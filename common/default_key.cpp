#include "common/default_key.h"

namespace {

// The value is fixed for good: every file encrypted without a password was
// written with it. It is kept as two halves XORed together so that the key
// bytes do not lie in the program image as one plain run. The bytes were
// chosen at random, not derived from any text, so no known password yields it.
constexpr uint8_t kMaskA[ZKeyBlock::kSize] = {0x5A, 0x1F, 0xC3, 0x77, 0x08, 0xE4, 0x9B,
                                              0x32, 0x6D, 0xA0, 0x41, 0xBE, 0x13, 0xF9,
                                              0x84, 0x2C, 0xD7, 0x66, 0x0B, 0x95};
constexpr uint8_t kMaskB[ZKeyBlock::kSize] = {0xE1, 0x74, 0x28, 0x9D, 0xC6, 0x3B, 0x50,
                                              0xAF, 0x12, 0x8E, 0xF3, 0x47, 0xBA, 0x05,
                                              0x6C, 0xD1, 0x39, 0xA2, 0x7E, 0xC8};

ZKeyBlock& Storage() {
  static ZKeyBlock key;
  return key;
}

void Build() {
  uint8_t bytes[ZKeyBlock::kSize];
  for (size_t i = 0; i < ZKeyBlock::kSize; ++i) bytes[i] = kMaskA[i] ^ kMaskB[i];
  Storage() = ZKeyBlock(bytes, ZKeyBlock::kProfileLength);
  volatile uint8_t* wipe = bytes;
  for (size_t i = 0; i < ZKeyBlock::kSize; ++i) wipe[i] = 0;
}

}  // namespace

const ZKeyBlock& DefaultKey() {
  // A cleared block would encrypt with a different key; rebuilding keeps
  // every file written late at exit readable.
  if (Storage().usedLength() == 0) Build();
  return Storage();
}

bool IsDefaultKey(const ZKeyBlock& key) { return key.sameBytes(DefaultKey()); }

ZDefaultKeyLifetime::ZDefaultKeyLifetime() { Build(); }

ZDefaultKeyLifetime::~ZDefaultKeyLifetime() { Storage().clear(); }
