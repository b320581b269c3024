// MPEG audio layer III frame headers: enough to describe a file to the
// system's MP3 codec and to walk its frames.
#pragma once
#include <cstddef>
#include <cstdint>

struct ZMp3Frame {
  int version = 0;          // 1 MPEG-1, 2 MPEG-2, 25 MPEG-2.5
  int bitrate = 0;          // bits per second
  int sampleRate = 0;       // samples per second
  int channels = 0;         // 1 or 2
  bool padding = false;
  size_t length = 0;        // bytes of the whole frame, header included
  int samplesPerFrame = 0;  // 1152 for MPEG-1, 576 otherwise
};

// Parses the four header bytes at `data`; false for anything but a valid
// layer III header (free-format bitrates included in the refusal).
bool ParseMp3FrameHeader(const uint8_t* data, size_t size, ZMp3Frame& frame);

// Size of an ID3v2 tag at the start of the data (0 when there is none).
size_t Id3TagSize(const uint8_t* data, size_t size);

// Offset of the first frame header whose following frame also starts with a
// valid header (or ends the data), from `from` on; `size` when none.
size_t FindFirstMp3Frame(const uint8_t* data, size_t size, size_t from, ZMp3Frame& frame);

// Whether the frame at `data` is the encoder's "Xing"/"Info" summary frame,
// which holds no sound.
bool IsMp3InfoFrame(const uint8_t* data, const ZMp3Frame& frame);
