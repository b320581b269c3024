#include "sound/mp3_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(Mp3Frame, ParsesLayerThreeHeaders) {
  struct Case {
    uint8_t bytes[4];
    int version, bitrate, sampleRate, channels;
    size_t length;
  };
  const Case cases[] = {
      {{0xFF, 0xFB, 0x90, 0x64}, 1, 128000, 44100, 2, 417},
      {{0xFF, 0xFB, 0x92, 0x64}, 1, 128000, 44100, 2, 418},  // padded
      {{0xFF, 0xFB, 0x54, 0xC4}, 1, 64000, 48000, 1, 192},
      {{0xFF, 0xF3, 0x84, 0xC4}, 2, 64000, 24000, 1, 192},
      {{0xFF, 0xE3, 0x14, 0xC4}, 25, 8000, 12000, 1, 48},
  };
  for (const Case& c : cases) {
    ZMp3Frame frame;
    ASSERT_TRUE(ParseMp3FrameHeader(c.bytes, 4, frame)) << c.length;
    EXPECT_EQ(c.version, frame.version);
    EXPECT_EQ(c.bitrate, frame.bitrate);
    EXPECT_EQ(c.sampleRate, frame.sampleRate);
    EXPECT_EQ(c.channels, frame.channels);
    EXPECT_EQ(c.length, frame.length);
    EXPECT_EQ(c.version == 1 ? 1152 : 576, frame.samplesPerFrame);
  }
}

TEST(Mp3Frame, RefusesOtherHeaders) {
  const uint8_t refused[][4] = {
      {0xFF, 0xFD, 0x90, 0x64},  // layer II
      {0xFF, 0xFB, 0x00, 0x64},  // free format
      {0xFF, 0xFB, 0xF0, 0x64},  // bad bitrate
      {0xFF, 0xFB, 0x9C, 0x64},  // reserved sample rate
      {0xFF, 0xEB, 0x90, 0x64},  // reserved version
      {0xFE, 0xFB, 0x90, 0x64},  // no sync
  };
  for (const auto& bytes : refused) {
    ZMp3Frame frame;
    EXPECT_FALSE(ParseMp3FrameHeader(bytes, 4, frame));
  }
  ZMp3Frame frame;
  const uint8_t good[4] = {0xFF, 0xFB, 0x90, 0x64};
  EXPECT_FALSE(ParseMp3FrameHeader(good, 3, frame));
}

TEST(Mp3Frame, FindsTheFirstFrameAfterATagAndGarbage) {
  std::vector<uint8_t> data = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 5, 1, 2, 3, 4, 5, 0xFF, 0x00};
  const size_t tag = Id3TagSize(data.data(), data.size());
  EXPECT_EQ(15u, tag);
  const size_t first = data.size();
  for (int i = 0; i < 3; ++i) {
    const uint8_t header[4] = {0xFF, 0xFB, 0x54, 0xC4};
    data.insert(data.end(), header, header + 4);
    data.resize(data.size() + 188, 0);
  }
  ZMp3Frame frame;
  EXPECT_EQ(first, FindFirstMp3Frame(data.data(), data.size(), tag, frame));
  EXPECT_EQ(192u, frame.length);
  // A frame cut off by the end of the data is not a frame.
  data.resize(first + 100);
  EXPECT_EQ(data.size(), FindFirstMp3Frame(data.data(), data.size(), tag, frame));
}

TEST(Mp3Frame, RecognisesTheEncodersSummaryFrame) {
  std::vector<uint8_t> frame(192, 0);
  const uint8_t header[4] = {0xFF, 0xFB, 0x54, 0xC4};  // MPEG-1 mono: tag after 4 + 17 bytes
  std::memcpy(frame.data(), header, 4);
  ZMp3Frame parsed;
  ASSERT_TRUE(ParseMp3FrameHeader(frame.data(), frame.size(), parsed));
  EXPECT_FALSE(IsMp3InfoFrame(frame.data(), parsed));
  std::memcpy(frame.data() + 21, "Info", 4);
  EXPECT_TRUE(IsMp3InfoFrame(frame.data(), parsed));
  std::memcpy(frame.data() + 21, "Xing", 4);
  EXPECT_TRUE(IsMp3InfoFrame(frame.data(), parsed));
}

}  // namespace
