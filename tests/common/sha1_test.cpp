#include "common/sha1.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Hex(const ZSha1Digest& digest) {
  std::string out;
  char byte[3];
  for (uint8_t b : digest) {
    std::snprintf(byte, sizeof byte, "%02x", b);
    out += byte;
  }
  return out;
}

TEST(Sha1, PublishedVectors) {
  const struct {
    std::string message;
    const char* digest;
  } cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(ZSha1::Of(c.message.data(), c.message.size())), c.digest);
}

TEST(Sha1, PiecewiseUpdatesGiveTheSameDigest) {
  // Pieces that straddle the 64-byte blocks and the 56-byte length boundary.
  const std::string message(1000000, 'a');
  ZSha1 sha;
  size_t offset = 0, piece = 1;
  while (offset < message.size()) {
    const size_t take = std::min(piece, message.size() - offset);
    sha.update(message.data() + offset, take);
    offset += take;
    piece = piece * 3 % 127 + 1;
  }
  EXPECT_EQ(Hex(sha.finish()), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

}  // namespace
