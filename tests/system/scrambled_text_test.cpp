#include <gtest/gtest.h>

#include <string>

#include "common/scrambled_text.h"

namespace {

TEST(UnscrambleText, ShiftsEvenAndOddBytesDifferentlyModulo256) {
  // 'A' - 136 and 'B' - 30, wrapped: what the older files hold for "AB".
  std::string stored = {static_cast<char>((0x41 + 256 - 136) % 256), static_cast<char>(0x42 - 30)};
  EXPECT_EQ(UnscrambleText(stored), "AB");
  EXPECT_EQ(UnscrambleText(std::string("\x78\xE2\x00", 3)), std::string("\x00\x00\x88", 3));
  EXPECT_EQ(UnscrambleText(""), "");
}

}  // namespace
