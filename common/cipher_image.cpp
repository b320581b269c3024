#include "common/cipher_image.h"

#include <algorithm>

#include "common/blowfish.h"

namespace {

size_t RoundUpToBlock(size_t size) {
  return (size + ZBlowfish::kBlockSize - 1) / ZBlowfish::kBlockSize * ZBlowfish::kBlockSize;
}

size_t WholeBlockBytes(size_t size) { return size / ZBlowfish::kBlockSize * ZBlowfish::kBlockSize; }

constexpr size_t kLengthBytesRead = 4;

}  // namespace

bool EncryptImage(const uint8_t* plain, size_t size, const ZKeyBlock& key,
                  std::vector<uint8_t>& image) {
  if (size == 0) return false;
  ZBlowfish cipher(key.bytes(), key.usedLength());
  if (!cipher.isValid()) return false;

  std::vector<uint8_t> result(kCipherHeaderSize + RoundUpToBlock(size), 0);
  const uint64_t length = size;
  for (size_t i = 0; i < kCipherHeaderSize; ++i)
    result[i] = static_cast<uint8_t>(length >> (8 * (kCipherHeaderSize - 1 - i)));
  std::copy(plain, plain + size, result.begin() + kCipherHeaderSize);
  cipher.encryptBlocks(result.data() + kCipherHeaderSize, result.size() - kCipherHeaderSize);
  image.swap(result);
  return true;
}

bool ReadImagePlainLength(const uint8_t* image, size_t size, uint64_t& plainLength) {
  if (size < kCipherHeaderSize + ZBlowfish::kBlockSize) return false;
  // Writers fill all eight bytes, but the length is read from the last four
  // only, so files whose high bytes were never cleared still open.
  uint64_t length = 0;
  for (size_t i = kCipherHeaderSize - kLengthBytesRead; i < kCipherHeaderSize; ++i) length = (length << 8) | image[i];
  if (length > WholeBlockBytes(size - kCipherHeaderSize)) return false;
  plainLength = length;
  return true;
}

bool DecryptImage(const uint8_t* image, size_t size, const ZKeyBlock& key,
                  std::vector<uint8_t>& plain) {
  uint64_t length;
  if (!ReadImagePlainLength(image, size, length)) return false;
  ZBlowfish cipher(key.bytes(), key.usedLength());
  if (!cipher.isValid()) return false;

  const size_t blocks = RoundUpToBlock(static_cast<size_t>(length));
  std::vector<uint8_t> result(image + kCipherHeaderSize, image + kCipherHeaderSize + blocks);
  cipher.decryptBlocks(result.data(), result.size());
  result.resize(static_cast<size_t>(length));
  plain.swap(result);
  return true;
}

bool RekeyImage(const uint8_t* image, size_t size, const ZKeyBlock& oldKey,
                const ZKeyBlock& newKey, std::vector<uint8_t>& rekeyed) {
  uint64_t length;
  if (!ReadImagePlainLength(image, size, length)) return false;
  ZBlowfish oldCipher(oldKey.bytes(), oldKey.usedLength());
  ZBlowfish newCipher(newKey.bytes(), newKey.usedLength());
  if (!oldCipher.isValid() || !newCipher.isValid()) return false;

  const size_t end = kCipherHeaderSize + WholeBlockBytes(size - kCipherHeaderSize);
  std::vector<uint8_t> result(image, image + end);
  oldCipher.decryptBlocks(result.data() + kCipherHeaderSize, end - kCipherHeaderSize);
  newCipher.encryptBlocks(result.data() + kCipherHeaderSize, end - kCipherHeaderSize);
  rekeyed.swap(result);
  return true;
}
