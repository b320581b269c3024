#include "gesture/first_format.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "tests/symbols/first_format_bytes.h"

namespace {

uint32_t Le32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24; }

TEST(FirstFormatHeader, IsTheIconFileHeaderOfOne32x32SixteenColourIcon) {
  const auto& h = FirstFormatHeader();
  ASSERT_EQ(h.size(), 126u);
  const Bytes directory = {0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 0, 0, 0, 0};
  EXPECT_EQ(Bytes(h.begin(), h.begin() + 14), directory);
  EXPECT_EQ(Le32(&h[14]), 744u);
  EXPECT_EQ(Le32(&h[18]), 22u);
  EXPECT_EQ(Le32(&h[22]), 40u);  // bitmap header size
  EXPECT_EQ(Le32(&h[26]), 32u);  // width
  EXPECT_EQ(Le32(&h[30]), 64u);  // height of both masks
  EXPECT_EQ(h[34], 1);           // planes
  EXPECT_EQ(h[36], 4);           // bits per pixel
  for (size_t i = 38; i < 62; ++i) EXPECT_EQ(h[i], 0) << i;
  // Palette entries are blue, green, red, zero.
  const Bytes darkRed = {0x00, 0x00, 0x80, 0x00}, lightGrey = {0xC0, 0xC0, 0xC0, 0x00},
              blue = {0xFF, 0x00, 0x00, 0x00}, white = {0xFF, 0xFF, 0xFF, 0x00};
  EXPECT_EQ(Bytes(h.begin() + 62 + 4, h.begin() + 62 + 8), darkRed);
  EXPECT_EQ(Bytes(h.begin() + 62 + 28, h.begin() + 62 + 32), lightGrey);
  EXPECT_EQ(Bytes(h.begin() + 62 + 48, h.begin() + 62 + 52), blue);
  EXPECT_EQ(Bytes(h.begin() + 62 + 60, h.begin() + 62 + 64), white);
}

TEST(FirstFormatFile, ReadsMasksBottomUpNameAndPointsUpToTheTerminator) {
  const Bytes file = FirstFormatFile("Circle", {10, 20, 30, 40, 0xFF});
  const FirstFormatSymbol symbol = ParseFirstFormatFile(file.data(), file.size());
  EXPECT_EQ(symbol.name, "Circle");
  EXPECT_EQ(symbol.colourMask, PatternColourMask());
  EXPECT_EQ(symbol.transparencyMask, PatternTransparencyMask());
  const std::vector<FirstFormatPoint> expected = {{10, 20}, {30, 40}};
  EXPECT_EQ(symbol.points, expected);
}

TEST(FirstFormatFile, OnlyAnXPositionEndsThePointsAndBytesAfterTheTerminatorAreLeft) {
  // 0xFF as a y is a coordinate; the first 0xFF at an x ends the stroke.
  const Bytes file = FirstFormatFile("", {0, 0xFF, 254, 1, 0xFF, 7, 7});
  const FirstFormatSymbol symbol = ParseFirstFormatFile(file.data(), file.size());
  const std::vector<FirstFormatPoint> expected = {{0, 255}, {254, 1}};
  EXPECT_EQ(symbol.points, expected);
  EXPECT_EQ(symbol.name, "");
}

TEST(FirstFormatFile, RejectsAnyDifferenceInTheHeader) {
  for (size_t i : {size_t(0), size_t(14), size_t(90), size_t(125)}) {
    Bytes file = FirstFormatFile("x", {0xFF});
    file[i] ^= 0x01;
    EXPECT_FALSE(HasFirstFormatHeader(file.data(), file.size())) << i;
    EXPECT_THROW(ParseFirstFormatFile(file.data(), file.size()), ZReadError) << i;
  }
  const auto& header = FirstFormatHeader();
  EXPECT_FALSE(HasFirstFormatHeader(header.data(), 125));
  EXPECT_TRUE(HasFirstFormatHeader(header.data(), 126));
}

// Cutting the data anywhere before the terminator (inside the masks, the
// name or the points) is malformed. Each cut copies into a buffer of exactly
// that size, so that ASan reports any read past it.
TEST(FirstFormatFile, DataEndingBeforeTheTerminatorIsAReadErrorAtEveryCut) {
  const Bytes file = FirstFormatFile("Zigzag", {1, 2, 3, 4, 0xFF});
  for (size_t cut = 0; cut < file.size(); ++cut) {
    const Bytes part(file.begin(), file.begin() + cut);
    EXPECT_THROW(ParseFirstFormatFile(part.data(), part.size()), ZReadError) << cut;
  }
}

TEST(FirstFormatBody, ParsesAtAnyPositionAndLeavesThePositionAfterTheTerminator) {
  Bytes buffer = {9, 9, 9};
  AppendBytes(buffer, FirstFormatBody("Arrow", {5, 6, 0xFF}));
  const size_t end = buffer.size();
  buffer.push_back(0x42);
  size_t position = 3;
  FirstFormatSymbol symbol;
  ReadFirstFormatBody(buffer.data(), buffer.size(), position, symbol);
  EXPECT_EQ(position, end);
  EXPECT_EQ(symbol.name, "Arrow");
  ASSERT_EQ(symbol.points.size(), 1u);
  EXPECT_EQ(symbol.points[0], (FirstFormatPoint{5, 6}));
}

TEST(FirstFormatBody, FailureLeavesPositionAndTargetUntouched) {
  const Bytes body = FirstFormatBody("Name", {1, 2});  // no terminator
  size_t position = 0;
  FirstFormatSymbol symbol;
  symbol.name = "before";
  EXPECT_THROW(ReadFirstFormatBody(body.data(), body.size(), position, symbol), ZReadError);
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(symbol.name, "before");
  size_t beyond = body.size() + 5;
  EXPECT_THROW(ReadFirstFormatBody(body.data(), body.size(), beyond, symbol), ZReadError);
}

}  // namespace
