// Key blocks for tests of encrypted files.
#pragma once
#include <cstdint>

#include "common/key_block.h"

// A key block that is not the default key, as a protected profile has.
inline ZKeyBlock ProtectedProfileKey(uint8_t seed = 0x5C) {
  uint8_t bytes[ZKeyBlock::kSize];
  for (size_t i = 0; i < ZKeyBlock::kSize; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 13);
  return ZKeyBlock(bytes, ZKeyBlock::kProfileLength);
}
