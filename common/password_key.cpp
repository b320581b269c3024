#include "common/password_key.h"

#include <algorithm>

#include "common/default_key.h"
#include "common/sha1.h"
#include "common/utf8.h"

ZKeyBlock KeyFromPassword(const std::u16string& password) {
  if (password.empty()) return DefaultKey();
  std::string utf8 = Utf16ToUtf8(password);
  ZSha1Digest digest = ZSha1::Of(utf8.data(), utf8.size());
  uint8_t bytes[ZKeyBlock::kSize];
  std::copy(digest.begin(), digest.end(), bytes);
  ZKeyBlock key(bytes, ZKeyBlock::kProfileLength);
  std::fill(utf8.begin(), utf8.end(), '\0');
  std::fill(digest.begin(), digest.end(), 0);
  return key;
}
