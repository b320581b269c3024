// The encrypted file form in memory: an 8-byte header holding the plain length
// (unsigned 64-bit, most significant byte first), then the plain content padded
// with zeros to a multiple of 8 and encrypted with Blowfish, block by block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/key_block.h"

constexpr size_t kCipherHeaderSize = 8;

// Encrypts `size` plain bytes into a whole image. Fails on empty content and
// on a key block without used bytes; `image` is then left untouched.
bool EncryptImage(const uint8_t* plain, size_t size, const ZKeyBlock& key,
                  std::vector<uint8_t>& image);

// The plain length of a well-formed image: at least one cipher block, and a
// header whose last four bytes (big-endian; the first four are not read) do
// not claim more bytes than the whole cipher blocks hold.
bool ReadImagePlainLength(const uint8_t* image, size_t size, uint64_t& plainLength);

// Decrypts a well-formed image into its plain content. A wrong key is not
// detected: it gives wrong bytes of the right length.
bool DecryptImage(const uint8_t* image, size_t size, const ZKeyBlock& key,
                  std::vector<uint8_t>& plain);

// Re-encrypts the cipher blocks of a well-formed image under `newKey`; the
// header is kept. A trailing part block, which no key can decrypt, is dropped.
bool RekeyImage(const uint8_t* image, size_t size, const ZKeyBlock& oldKey,
                const ZKeyBlock& newKey, std::vector<uint8_t>& rekeyed);
