#include "actions/legacy_stream.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "tests/plugins/legacy_plugin_bytes.h"

namespace {

TEST(LegacyStream, ReadsBytesLittleEndianIntsStringsAndPeeks) {
  Bytes data = {0x7F};
  AppendInt(data, -2);
  AppendText(data, "abc");
  AppendText(data, "");
  data.push_back(0xFF);
  LegacyStream stream(data);
  EXPECT_EQ(stream.readByte(), 0x7F);
  EXPECT_EQ(stream.readInt(), -2);
  EXPECT_EQ(stream.readString(), "abc");
  EXPECT_EQ(stream.readString(), "");
  EXPECT_EQ(stream.peek(), 0xFF);
  EXPECT_EQ(stream.peek(), 0xFF);
  EXPECT_EQ(stream.readByte(), 0xFF);
  EXPECT_TRUE(stream.atEnd());
}

TEST(LegacyStream, EveryReadPastTheEndThrowsAndKeepsThePosition) {
  const Bytes data = {1, 2, 3, 'x', 'y'};  // no zero byte after the text
  LegacyStream stream(data);
  stream.skip(2);
  EXPECT_THROW(stream.readInt(), ZReadError);
  EXPECT_EQ(stream.position(), 2u);
  stream.skip(1);
  EXPECT_THROW(stream.readString(), ZReadError);  // string cut off by the end
  EXPECT_EQ(stream.position(), 3u);
  stream.skip(2);
  EXPECT_THROW(stream.readByte(), ZReadError);
  EXPECT_THROW(stream.peek(), ZReadError);
  EXPECT_THROW(stream.readString(), ZReadError);
  EXPECT_THROW(stream.skip(1), ZReadError);
  stream.stepBack(5);
  EXPECT_EQ(stream.position(), 0u);
  EXPECT_THROW(stream.stepBack(1), ZReadError);
}

TEST(LegacyStream, ReadsAnEmbeddedSymbolWithoutComparingItsHeader) {
  Bytes data(kFirstFormatHeaderSize, 0xEE);
  AppendBytes(data, FirstFormatBody("Loop", {10, 20, 30, 40, 0xFF}));
  data.push_back('z');
  LegacyStream stream(data);
  FirstFormatSymbol symbol;
  stream.readSymbol(symbol);
  EXPECT_EQ(symbol.name, "Loop");
  EXPECT_EQ(symbol.points.size(), 2u);
  EXPECT_EQ(stream.peek(), 'z');

  LegacyStream tooShort(Bytes(kFirstFormatHeaderSize - 1, 0));
  EXPECT_THROW(tooShort.readSymbol(symbol), ZReadError);
  EXPECT_EQ(tooShort.position(), 0u);
}

}  // namespace
