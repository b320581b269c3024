#include "common/blowfish.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

uint32_t BigEndianWord(const std::vector<uint8_t>& bytes, size_t offset) {
  return uint32_t(bytes[offset]) << 24 | uint32_t(bytes[offset + 1]) << 16 |
         uint32_t(bytes[offset + 2]) << 8 | bytes[offset + 3];
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// Eric Young's published ECB vectors (blocks written as big-endian halves).
const Vector kEcbVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
};

// The published variable-length key vectors: prefixes of one key.
const char kLongKey[] = "F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677";
const struct {
  size_t length;
  const char* cipher;
} kKeyLengthVectors[] = {
    {1, "F9AD597C49DB005E"},  {2, "E91D21C1D961A6D6"},  {3, "E9C2B70A1BC65CF3"},
    {7, "8BB77032F960629D"},  {8, "E87A244E2CC85E82"},  {16, "93142887EE3BE15C"},
    {20, "10851C0E3858DA9F"},
};

void ExpectVector(const std::vector<uint8_t>& key, const std::string& plainHex,
                  const std::string& cipherHex) {
  const auto plain = FromHex(plainHex);
  const auto expected = FromHex(cipherHex);
  ZBlowfish cipher(key.data(), key.size());
  ASSERT_TRUE(cipher.isValid());
  uint32_t left = BigEndianWord(plain, 0), right = BigEndianWord(plain, 4);
  cipher.encryptBlock(left, right);
  EXPECT_EQ(left, BigEndianWord(expected, 0)) << plainHex;
  EXPECT_EQ(right, BigEndianWord(expected, 4)) << plainHex;
  cipher.decryptBlock(left, right);
  EXPECT_EQ(left, BigEndianWord(plain, 0));
  EXPECT_EQ(right, BigEndianWord(plain, 4));
}

TEST(Blowfish, PublishedEcbVectors) {
  for (const auto& v : kEcbVectors) ExpectVector(FromHex(v.key), v.plain, v.cipher);
}

TEST(Blowfish, PublishedKeyLengthVectors) {
  const auto longKey = FromHex(kLongKey);
  for (const auto& v : kKeyLengthVectors) {
    SCOPED_TRACE(v.length);
    ExpectVector(std::vector<uint8_t>(longKey.begin(), longKey.begin() + v.length),
                 "FEDCBA9876543210", v.cipher);
  }
}

TEST(Blowfish, ByteBlocksAreLittleEndianHalves) {
  const auto key = FromHex("0123456789ABCDEF");
  ZBlowfish cipher(key.data(), key.size());
  // Plain words 0x11111111 / 0x11111111 read the same in either byte order;
  // the cipher words 61F9C380 and 2281B096 are stored low byte first.
  std::vector<uint8_t> block(16, 0x11);
  cipher.encryptBlocks(block.data(), block.size());
  const std::vector<uint8_t> expected = {0x80, 0xC3, 0xF9, 0x61, 0x96, 0xB0, 0x81, 0x22};
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 8), expected);
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 8, block.end()), expected);
  cipher.decryptBlocks(block.data(), block.size());
  EXPECT_EQ(block, std::vector<uint8_t>(16, 0x11));
}

TEST(Blowfish, RefusesKeysWithoutBytesOrTooLong) {
  const std::vector<uint8_t> key(57, 1);
  EXPECT_FALSE(ZBlowfish(key.data(), 0).isValid());
  EXPECT_FALSE(ZBlowfish(nullptr, 8).isValid());
  EXPECT_FALSE(ZBlowfish(key.data(), 57).isValid());
  EXPECT_TRUE(ZBlowfish(key.data(), 56).isValid());
}

}  // namespace
