#include <gtest/gtest.h>
#include <windows.h>

#include "common/default_key.h"
#include "common/password_key.h"
#include "common/sha1.h"

namespace {

TEST(DeriveKey, EmptyPasswordGivesTheDefaultKey) {
  ZDefaultKeyLifetime lifetime;
  EXPECT_TRUE(IsDefaultKey(DeriveKey("")));
  EXPECT_TRUE(IsDefaultKey(DeriveKey(nullptr)));
}

TEST(DeriveKey, KnownPasswordGivesTheDigestOfItsUtf8Bytes) {
  const ZKeyBlock key = DeriveKey("secret");
  const ZSha1Digest digest = ZSha1::Of("secret", 6);
  EXPECT_TRUE(std::equal(digest.begin(), digest.end(), key.bytes()));
  EXPECT_EQ(key.usedLength(), 16u);
  EXPECT_FALSE(IsDefaultKey(key));
}

TEST(DeriveKey, AnsiTextGoesThroughUtf16ToUtf8) {
  // E9 is "é" in the Western code page, C3 A9 in UTF-8.
  if (GetACP() != 1252) GTEST_SKIP() << "needs code page 1252";
  const ZKeyBlock key = DeriveKey("caf\xE9");
  const ZSha1Digest digest = ZSha1::Of("caf\xC3\xA9", 5);
  EXPECT_TRUE(std::equal(digest.begin(), digest.end(), key.bytes()));
}

}  // namespace
