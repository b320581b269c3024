#include "common/memory_file.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryFile, ReadsBytesAndStringsAndRefusesReadsPastTheEnd) {
  ZMemoryFile file(std::vector<uint8_t>{'a', 'b', 0, 'c', 1, 2, 3});
  std::string text;
  ASSERT_TRUE(file.readString(text));
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(file.position(), 3u);

  uint8_t bytes[8] = {};
  EXPECT_FALSE(file.read(bytes, 5));  // only 4 left
  EXPECT_EQ(file.position(), 3u);
  EXPECT_EQ(bytes[0], 0);
  // No terminator before the end: refused, position kept.
  EXPECT_FALSE(file.readString(text));
  EXPECT_EQ(text, "ab");
  ASSERT_TRUE(file.read(bytes, 4));
  EXPECT_EQ(bytes[0], 'c');
  EXPECT_EQ(bytes[3], 3);
  EXPECT_EQ(file.remaining(), 0u);
  EXPECT_TRUE(file.read(bytes, 0));
  EXPECT_FALSE(file.read(bytes, 1));
  EXPECT_FALSE(file.readString(text));
}

TEST(MemoryFile, EmptyStringAndEmptyFile) {
  ZMemoryFile file(std::vector<uint8_t>{0});
  std::string text = "x";
  ASSERT_TRUE(file.readString(text));
  EXPECT_EQ(text, "");
  ZMemoryFile empty(std::vector<uint8_t>{});
  EXPECT_EQ(empty.size(), 0u);
  EXPECT_FALSE(empty.readString(text));
}

}  // namespace
