#include "common/password_key.h"

#include <algorithm>

#include "common/default_key.h"
#include "common/secure_wipe.h"
#include "common/sha1.h"
#include "common/utf8.h"

ZKeyBlock KeyFromPassword(const std::u16string& password) {
  if (password.empty()) return DefaultKey();
  std::string utf8 = Utf16ToUtf8(password);
  ZSha1Digest digest = ZSha1::Of(utf8.data(), utf8.size());
  uint8_t bytes[ZKeyBlock::kSize];
  std::copy(digest.begin(), digest.end(), bytes);
  ZKeyBlock key(bytes, ZKeyBlock::kProfileLength);
  // Only the returned block may hold the key, and nothing the password.
  SecureWipe(bytes, sizeof bytes);
  SecureWipe(digest.data(), digest.size());
  SecureWipe(utf8);
  return key;
}
