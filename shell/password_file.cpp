#include "shell/password_file.h"

#include <cstring>

#include "common/blowfish.h"
#include "shell/whole_file.h"

namespace {
// Fixed for good: every "pf" ever written holds it under its key.
constexpr uint8_t kCheckBlock[16] = {'Z', 'a', 'v', 'o', 't', 'r', 'a', ' ',
                                     'p', 'r', 'o', 'f', 'i', 'l', 'e', 0x5A};
constexpr size_t kFileSize = 4 + sizeof kCheckBlock;
}  // namespace

bool PasswordFileContent(const ZKeyBlock& key, std::string& file) {
  ZBlowfish cipher(key.bytes(), key.usedLength());
  if (!cipher.isValid()) return false;
  uint8_t content[kFileSize];
  const uint32_t bits = static_cast<uint32_t>(key.usedLength() * 8);
  for (int i = 0; i < 4; ++i) content[i] = static_cast<uint8_t>(bits >> (8 * i));
  std::memcpy(content + 4, kCheckBlock, sizeof kCheckBlock);
  cipher.encryptBlocks(content + 4, sizeof kCheckBlock);
  file.assign(reinterpret_cast<char*>(content), kFileSize);
  return true;
}

bool WritePasswordFile(const std::string& path, const ZKeyBlock& key) {
  std::string content;
  return PasswordFileContent(key, content) && WriteFileText(path, content);
}

bool CheckPasswordFile(const std::string& path, const ZKeyBlock& candidate, ZKeyBlock& accepted) {
  std::string content;
  if (!ReadFileText(path, content) || content.size() != kFileSize) return false;
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(static_cast<uint8_t>(content[i])) << (8 * i);
  const size_t usedLength = bits / 8;
  if (bits % 8 != 0 || usedLength == 0 || usedLength > ZKeyBlock::kSize) return false;
  const ZKeyBlock key = candidate.withUsedLength(usedLength);
  ZBlowfish cipher(key.bytes(), key.usedLength());
  if (!cipher.isValid()) return false;
  uint8_t block[sizeof kCheckBlock];
  std::memcpy(block, content.data() + 4, sizeof block);
  cipher.decryptBlocks(block, sizeof block);
  if (std::memcmp(block, kCheckBlock, sizeof block) != 0) return false;
  accepted = key;
  return true;
}
