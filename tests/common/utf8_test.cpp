#include "common/utf8.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

struct EncodeCase {
  std::u16string text;
  std::string bytes;
};

TEST(Utf8Encoder, EncodesEachUnitOnItsOwn) {
  const std::vector<EncodeCase> cases = {
      {u"", ""},
      {u"abc", "abc"},
      {u"\u00E9", Bytes({0xC3, 0xA9})},
      {u"\u007F\u0080", Bytes({0x7F, 0xC2, 0x80})},
      {u"\u07FF\u0800", Bytes({0xDF, 0xBF, 0xE0, 0xA0, 0x80})},
      {u"\uFFFF", Bytes({0xEF, 0xBF, 0xBF})},
      // U+1F600 as a surrogate pair: two separate three-byte sequences.
      {u"\U0001F600", Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80})},
      {u"a\uFFFDb\uFFFD", "ab"},
      {std::u16string(1, u'\0') + u"x", std::string(1, '\0') + "x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf16ToUtf8(c.text), c.bytes);
    EXPECT_EQ(Utf8EncodedSize(c.text.data(), c.text.size()), c.bytes.size() + 1);
  }
}

struct DecodeCase {
  std::string bytes;
  std::u16string text;
};

TEST(Utf8Decoder, FollowsTheLeadByteRules) {
  const std::vector<DecodeCase> cases = {
      {"", u""},
      {"abc", u"abc"},
      {Bytes({0xC3, 0xA9}), u"\u00E9"},
      {Bytes({0x80}), u"\uFFFD"},
      {Bytes({0xBF, 'a'}), u"\uFFFDa"},
      {Bytes({0xC0, 0xAF}), u"\uFFFD\uFFFD"},
      {Bytes({0xC1, 0x81}), u"\uFFFD\uFFFD"},
      {Bytes({0xF0, 0x9F, 0x98, 0x80}), u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {Bytes({0xFF}), u"\uFFFD"},
      {Bytes({0xE2, 0x82, 0xAC}), u"\u20AC"},
      {Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}), u"\U0001F600"},
      // Following bytes are taken as they are, top bits not checked.
      {Bytes({0xC3, 'A'}), std::u16string(1, char16_t(0xC1))},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.bytes), c.text);
    EXPECT_EQ(Utf16DecodedSize(c.bytes.data(), c.bytes.size()), c.text.size() + 1);
  }
}

TEST(Utf8Decoder, CutOffSequenceAtTheEndIsNotReadPast) {
  // Each input sits at the very end of its own heap block so that a read
  // past it is caught by the address sanitizer in the native build.
  const std::vector<DecodeCase> cases = {
      {Bytes({0xC3}), u"\uFFFD"},
      {Bytes({'a', 0xE2}), u"a\uFFFD"},
      {Bytes({0xE2, 0x82}), u"\uFFFD\uFFFD"},
      {Bytes({0xE2, 'x'}), u"\uFFFDx"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<char[]> exact(new char[c.bytes.size()]);
    std::memcpy(exact.get(), c.bytes.data(), c.bytes.size());
    EXPECT_EQ(Utf8ToUtf16(exact.get(), c.bytes.size()), c.text);
    EXPECT_EQ(Utf16DecodedSize(exact.get(), c.bytes.size()), c.text.size() + 1);
  }
}

TEST(Utf8Coders, RoundTripEveryUnitButTheReplacement) {
  std::u16string all;
  for (char32_t u = 1; u <= 0xFFFF; ++u)
    if (u != 0xFFFD) all.push_back(static_cast<char16_t>(u));
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(all)), all);
}

}  // namespace
