// What hashing a password leaves behind: neither the hash object nor the
// stack that the hashing used may still hold the password or the key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/password_key.h"
#include "common/sha1.h"

namespace {

bool Holds(const volatile uint8_t* area, size_t size, const void* needle, size_t length) {
  const auto* wanted = static_cast<const uint8_t*>(needle);
  for (size_t i = 0; i + length <= size; ++i) {
    size_t j = 0;
    while (j < length && area[i + j] == wanted[j]) ++j;
    if (j == length) return true;
  }
  return false;
}

// The stack below the caller's frame, as the calls before this one left it.
__attribute__((noinline)) bool StackBelowHolds(const void* needle, size_t length) {
  volatile uint8_t area[16384];
  return Holds(area, sizeof area, needle, length);
}

__attribute__((noinline)) void DeriveInAFrameBelow(const std::u16string& password, ZKeyBlock* key) {
  *key = KeyFromPassword(password);
}

TEST(SecretResidue, TheHashKeepsNeitherMessageNorDigestOnceFinished) {
  const std::string password = "hash me, then forget me";
  ZSha1 sha;
  sha.update(password.data(), password.size());
  const ZSha1Digest digest = sha.finish();
  const auto* object = reinterpret_cast<const volatile uint8_t*>(&sha);
  EXPECT_FALSE(Holds(object, sizeof sha, password.data(), 8));
  // The state words hold the digest in the machine's own byte order.
  for (int word = 0; word < 5; ++word) {
    uint32_t value = 0;
    for (int j = 0; j < 4; ++j) value = value << 8 | digest[4 * word + j];
    EXPECT_FALSE(Holds(object, sizeof sha, &value, sizeof value)) << "state word " << word;
  }
}

TEST(SecretResidue, DerivingAKeyLeavesNeitherKeyNorPasswordOnTheStack) {
  const std::u16string password = u"stack secret";
  const std::string utf8 = "stack secret";
  ZKeyBlock key;
  // A first call may bind library functions lazily, and the loader saves the
  // vector registers on the stack while it does: not the code under test.
  DeriveInAFrameBelow(u"warming up", &key);
  DeriveInAFrameBelow(password, &key);
  ASSERT_EQ(key.usedLength(), 16u);
  EXPECT_FALSE(StackBelowHolds(key.bytes(), 8));
  EXPECT_FALSE(StackBelowHolds(utf8.data(), utf8.size()));
}

}  // namespace
