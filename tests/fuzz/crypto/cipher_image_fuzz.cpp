// Decryption and re-keying of an arbitrary file image: no read past it, and
// whatever decrypts has the length its header claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/cipher_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t keyBytes[ZKeyBlock::kSize] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const ZKeyBlock key(keyBytes, 16);
  const ZKeyBlock other(keyBytes, 7);

  uint64_t length = 0;
  const bool wellFormed = ReadImagePlainLength(data, size, length);
  std::vector<uint8_t> plain;
  if (DecryptImage(data, size, key, plain) != wellFormed) std::abort();
  if (wellFormed && plain.size() != length) std::abort();

  std::vector<uint8_t> rekeyed, again;
  if (RekeyImage(data, size, key, other, rekeyed) != wellFormed) std::abort();
  if (wellFormed) {
    if (!DecryptImage(rekeyed.data(), rekeyed.size(), other, again) || again != plain) std::abort();
  }
  return 0;
}
