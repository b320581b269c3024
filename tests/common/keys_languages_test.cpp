#include <gtest/gtest.h>

#include "common/code_page_table.h"
#include "common/default_key.h"
#include "common/language_id.h"
#include "common/password_key.h"
#include "common/sha1.h"

namespace {

TEST(DefaultKey, HasOneFixedValueWithinAndAfterItsLifetime) {
  ZKeyBlock first;
  {
    ZDefaultKeyLifetime lifetime;
    first = DefaultKey();
    EXPECT_EQ(first.usedLength(), 16u);
    EXPECT_FALSE(first.sameBytes(ZKeyBlock()));
  }
  // A use after the lifetime has cleared it gets the same value again.
  EXPECT_TRUE(DefaultKey().sameBytes(first));
  EXPECT_TRUE(IsDefaultKey(first.withUsedLength(7)));
}

TEST(KeyFromPassword, EmptyGivesTheDefaultKey) {
  const ZKeyBlock key = KeyFromPassword(u"");
  EXPECT_TRUE(key.sameBytes(DefaultKey()));
  EXPECT_EQ(key.usedLength(), DefaultKey().usedLength());
}

TEST(KeyFromPassword, IsTheDigestOfTheUtf8Bytes) {
  // "abc" and "é" (C3 A9).
  const ZSha1Digest abc = ZSha1::Of("abc", 3);
  ZKeyBlock key = KeyFromPassword(u"abc");
  EXPECT_TRUE(std::equal(abc.begin(), abc.end(), key.bytes()));
  EXPECT_EQ(key.bytes()[0], 0xA9);
  EXPECT_EQ(key.usedLength(), 16u);
  EXPECT_FALSE(IsDefaultKey(key));

  const ZSha1Digest accent = ZSha1::Of("\xC3\xA9", 2);
  key = KeyFromPassword(u"\u00E9");
  EXPECT_TRUE(std::equal(accent.begin(), accent.end(), key.bytes()));
}

TEST(LanguageId, Lookups) {
  EXPECT_EQ(LanguageId::FromName("Simplified Chinese"), 11);
  EXPECT_EQ(LanguageId::FromName("English"), 1);
  EXPECT_EQ(LanguageId::FromName("english"), -1);
  EXPECT_EQ(LanguageId::FromName(""), -1);
  EXPECT_EQ(LanguageId::Name(12), "");
  EXPECT_EQ(LanguageId::Name(0), "");
  EXPECT_EQ(LanguageId::Name(3), "Japanese");
  for (int id = 1; id <= 11; ++id) EXPECT_EQ(LanguageId::FromName(LanguageId::Name(id)), id);
  EXPECT_EQ(LanguageId::GroupIndex(3), 11);
  EXPECT_EQ(LanguageId::GroupIndex(10), 14);
  EXPECT_EQ(LanguageId::GroupIndex(11), 13);
  EXPECT_EQ(LanguageId::GroupIndex(12), -1);
  EXPECT_EQ(LanguageId::GroupIndex(0), -1);
}

TEST(LanguageId, FromWindowsLanguage) {
  const struct {
    uint16_t langId;
    int id;
  } cases[] = {
      {0x0409, 1},   // English (US)
      {0x0809, 1},   // English (UK)
      {0x040C, 2},   // French
      {0x0411, 3},   // Japanese
      {0x0407, 5},   // German
      {0x0416, 8},   // Portuguese (Brazil)
      {0x0804, 11},  // Chinese, simplified
      {0x0404, 10},  // Chinese, traditional
      {0x0C04, 10},  // Chinese, Hong Kong
      {0x0419, -1},  // Russian
      {0x0000, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageId::FromWindowsLanguage(c.langId), c.id) << c.langId;
}

TEST(FixedTables, CodePagesAndLanguageGroups) {
  const unsigned codePages[] = {0, 1252, 0, 950, 20936, 932, 65001, 0};
  for (int index = 0; index <= 7; ++index) EXPECT_EQ(CodePageOfCharacterSet(index), codePages[index]);
  EXPECT_EQ(CodePageOfCharacterSet(-1), 0u);

  const uint32_t groups[] = {0, 1, 2, 13, 17, 3, 5, 16, 4, 12, 15, 7, 8, 10, 9, 11, 6, 14, 0};
  for (int index = 0; index <= 18; ++index) EXPECT_EQ(LanguageGroupId(index), groups[index]);
  // Chained as the menus use it: Japanese -> group 11 -> LGRPID_JAPANESE (7).
  EXPECT_EQ(LanguageGroupId(LanguageId::GroupIndex(LanguageId::FromName("Japanese"))), 7u);
  EXPECT_EQ(LanguageGroupId(LanguageId::GroupIndex(11)), 10u);  // LGRPID_SIMPLIFIED_CHINESE
}

}  // namespace
