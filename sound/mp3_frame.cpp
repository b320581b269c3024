#include "sound/mp3_frame.h"

#include <cstring>

namespace {

// Kilobits per second by bitrate index, for MPEG-1 and for MPEG-2/2.5.
constexpr int kBitratesV1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr int kBitratesV2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr int kSampleRatesV1[3] = {44100, 48000, 32000};

// Bytes of side information after the header, where the summary tag sits.
size_t SideInfoSize(const ZMp3Frame& frame) {
  if (frame.version == 1) return frame.channels == 1 ? 17 : 32;
  return frame.channels == 1 ? 9 : 17;
}

}  // namespace

bool ParseMp3FrameHeader(const uint8_t* data, size_t size, ZMp3Frame& frame) {
  if (size < 4) return false;
  if (data[0] != 0xFF || (data[1] & 0xE0) != 0xE0) return false;
  const int versionBits = (data[1] >> 3) & 3;
  const int layerBits = (data[1] >> 1) & 3;
  const int bitrateIndex = data[2] >> 4;
  const int rateIndex = (data[2] >> 2) & 3;
  if (versionBits == 1 || layerBits != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
    return false;
  ZMp3Frame parsed;
  parsed.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
  const bool v1 = parsed.version == 1;
  parsed.bitrate = (v1 ? kBitratesV1 : kBitratesV2)[bitrateIndex] * 1000;
  parsed.sampleRate = kSampleRatesV1[rateIndex] / (v1 ? 1 : parsed.version == 2 ? 2 : 4);
  parsed.padding = (data[2] & 2) != 0;
  parsed.channels = (data[3] >> 6) == 3 ? 1 : 2;
  parsed.samplesPerFrame = v1 ? 1152 : 576;
  const size_t slots = static_cast<size_t>(parsed.samplesPerFrame / 8) *
                       static_cast<size_t>(parsed.bitrate) / static_cast<size_t>(parsed.sampleRate);
  parsed.length = slots + (parsed.padding ? 1 : 0);
  frame = parsed;
  return true;
}

size_t Id3TagSize(const uint8_t* data, size_t size) {
  if (size < 10 || std::memcmp(data, "ID3", 3) != 0) return 0;
  for (int i = 6; i < 10; ++i)
    if (data[i] & 0x80) return 0;
  const size_t body = (static_cast<size_t>(data[6]) << 21) | (static_cast<size_t>(data[7]) << 14) |
                      (static_cast<size_t>(data[8]) << 7) | data[9];
  const size_t footer = (data[5] & 0x10) ? 10 : 0;
  const size_t total = 10 + body + footer;
  return total <= size ? total : size;
}

size_t FindFirstMp3Frame(const uint8_t* data, size_t size, size_t from, ZMp3Frame& frame) {
  for (size_t at = from; at + 4 <= size; ++at) {
    ZMp3Frame candidate;
    if (!ParseMp3FrameHeader(data + at, size - at, candidate)) continue;
    const size_t next = at + candidate.length;
    ZMp3Frame following;
    if (next + 4 > size || ParseMp3FrameHeader(data + next, size - next, following)) {
      if (next > size) continue;
      frame = candidate;
      return at;
    }
  }
  return size;
}

bool IsMp3InfoFrame(const uint8_t* data, const ZMp3Frame& frame) {
  const size_t at = 4 + SideInfoSize(frame);
  if (at + 4 > frame.length) return false;
  return std::memcmp(data + at, "Xing", 4) == 0 || std::memcmp(data + at, "Info", 4) == 0;
}
