#include "common/cipher_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

#include "common/blowfish.h"

namespace {

ZKeyBlock Key(uint8_t seed, size_t used) {
  uint8_t bytes[ZKeyBlock::kSize];
  for (size_t i = 0; i < ZKeyBlock::kSize; ++i) bytes[i] = static_cast<uint8_t>(seed + 17 * i);
  return ZKeyBlock(bytes, used);
}

std::vector<uint8_t> Plain(size_t size) {
  std::vector<uint8_t> bytes(size);
  std::iota(bytes.begin(), bytes.end(), uint8_t(1));
  return bytes;
}

// A copy in a heap block of exactly its size, so that the address sanitizer
// of the native build reports any read past it.
std::unique_ptr<uint8_t[]> Exact(const std::vector<uint8_t>& bytes) {
  std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  return copy;
}

TEST(CipherImage, ThirteenBytesGiveHeaderAndTwoBlocks) {
  const auto plain = Plain(13);
  std::vector<uint8_t> image;
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(1, 16), image));
  ASSERT_EQ(image.size(), 24u);
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 8),
            (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 13}));

  // The blocks are the zero-padded content under Blowfish ECB.
  std::vector<uint8_t> padded = plain;
  padded.resize(16, 0);
  const auto key = Key(1, 16);
  ZBlowfish(key.bytes(), 16).encryptBlocks(padded.data(), padded.size());
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 8, image.end()), padded);

  std::vector<uint8_t> back;
  ASSERT_TRUE(DecryptImage(image.data(), image.size(), Key(1, 16), back));
  EXPECT_EQ(back, plain);
}

TEST(CipherImage, RoundTripsEverySizeAroundTheBlocks) {
  for (size_t size : {1u, 7u, 8u, 9u, 15u, 16u, 17u, 1000u}) {
    const auto plain = Plain(size);
    std::vector<uint8_t> image, back;
    ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(3, 7), image));
    EXPECT_EQ(image.size(), 8 + (size + 7) / 8 * 8);
    ASSERT_TRUE(DecryptImage(image.data(), image.size(), Key(3, 7), back));
    EXPECT_EQ(back, plain);
  }
}

TEST(CipherImage, UsedLengthDecidesTheKey) {
  const auto plain = Plain(32);
  std::vector<uint8_t> seven, sixteen, back;
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(5, 7), seven));
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(5, 16), sixteen));
  EXPECT_NE(seven, sixteen);
  // Bytes past the used length do not matter.
  auto other = Key(5, 20);
  uint8_t bytes[ZKeyBlock::kSize];
  std::copy(other.bytes(), other.bytes() + 20, bytes);
  bytes[10] ^= 0xFF;
  ASSERT_TRUE(DecryptImage(seven.data(), seven.size(), ZKeyBlock(bytes, 7), back));
  EXPECT_EQ(back, plain);
}

TEST(CipherImage, RefusesEmptyContentAndKeysWithoutBytes) {
  const auto plain = Plain(8);
  std::vector<uint8_t> image = {42};
  EXPECT_FALSE(EncryptImage(plain.data(), 0, Key(1, 16), image));
  EXPECT_FALSE(EncryptImage(plain.data(), plain.size(), ZKeyBlock(), image));
  EXPECT_EQ(image, std::vector<uint8_t>{42});
}

TEST(CipherImage, MalformedImagesFailCleanly) {
  std::vector<uint8_t> good;
  const auto plain = Plain(13);
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(1, 16), good));

  auto claimsMore = good;
  claimsMore[7] = 17;  // 17 plain bytes in 16 cipher bytes
  auto hugeLength = good;
  hugeLength[4] = 0x80;
  auto partBlock = good;
  partBlock.resize(20);  // 12 cipher bytes: one whole block, 13 claimed
  const std::vector<std::vector<uint8_t>> bad = {
      {}, std::vector<uint8_t>(good.begin(), good.begin() + 8),
      std::vector<uint8_t>(good.begin(), good.begin() + 15), claimsMore, hugeLength, partBlock};
  for (const auto& image : bad) {
    auto exact = Exact(image);
    std::vector<uint8_t> out = {42};
    EXPECT_FALSE(DecryptImage(exact.get(), image.size(), Key(1, 16), out));
    EXPECT_FALSE(RekeyImage(exact.get(), image.size(), Key(1, 16), Key(2, 16), out));
    EXPECT_EQ(out, std::vector<uint8_t>{42});
  }
}

// The plain length is the last four header bytes; the first four are not
// read, so an image whose high bytes are set still decrypts.
TEST(CipherImage, ThePlainLengthIsTheLastFourHeaderBytes) {
  const auto plain = Plain(13);
  std::vector<uint8_t> good;
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(1, 16), good));
  for (size_t high = 0; high < 4; ++high) {
    auto image = good;
    image[high] = 0xA5;
    auto exact = Exact(image);
    std::vector<uint8_t> back, rekeyed;
    uint64_t length = 0;
    ASSERT_TRUE(ReadImagePlainLength(exact.get(), image.size(), length)) << high;
    EXPECT_EQ(length, 13u);
    ASSERT_TRUE(DecryptImage(exact.get(), image.size(), Key(1, 16), back)) << high;
    EXPECT_EQ(back, plain);
    ASSERT_TRUE(RekeyImage(exact.get(), image.size(), Key(1, 16), Key(2, 16), rekeyed)) << high;
    EXPECT_EQ(rekeyed[high], 0xA5);  // the header is kept as it was
  }
}

TEST(CipherImage, WrongKeyGivesWrongBytesOfTheRightLength) {
  const auto plain = Plain(13);
  std::vector<uint8_t> image, back;
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(1, 16), image));
  auto exact = Exact(image);
  ASSERT_TRUE(DecryptImage(exact.get(), image.size(), Key(2, 16), back));
  EXPECT_EQ(back.size(), plain.size());
  EXPECT_NE(back, plain);
}

TEST(CipherImage, RekeyKeepsTheHeaderAndChangesTheKey) {
  const auto plain = Plain(21);
  std::vector<uint8_t> image, rekeyed, back;
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(1, 16), image));
  ASSERT_TRUE(RekeyImage(image.data(), image.size(), Key(1, 16), Key(9, 16), rekeyed));
  ASSERT_EQ(rekeyed.size(), image.size());
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 8, rekeyed.begin()));
  EXPECT_NE(rekeyed, image);
  ASSERT_TRUE(DecryptImage(rekeyed.data(), rekeyed.size(), Key(9, 16), back));
  EXPECT_EQ(back, plain);
}

TEST(CipherImage, DecryptionReadsTheWholeBlocksOfAnImageWithATrailingFragment) {
  const auto plain = Plain(13);
  std::vector<uint8_t> image, back;
  ASSERT_TRUE(EncryptImage(plain.data(), plain.size(), Key(1, 16), image));
  image.push_back(0x55);  // damage after the last block
  auto exact = Exact(image);
  ASSERT_TRUE(DecryptImage(exact.get(), image.size(), Key(1, 16), back));
  EXPECT_EQ(back, plain);
}

}  // namespace
