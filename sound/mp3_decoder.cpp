#include "sound/mp3_decoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Compressed bytes handed to the codec per conversion: a stop waits for the
// conversion under way, so a chunk is a fraction of a second of sound
// (4 KB is a quarter second at 128 kbit/s).
constexpr size_t kChunkBytes = 4 * 1024;

// Prepares an ACM header for one conversion and unprepares it when done.
class ZPreparedHeader {
 public:
  ZPreparedHeader(HACMSTREAM stream, uint8_t* source, size_t sourceSize, uint8_t* target,
                  size_t targetSize)
      : stream_(stream) {
    std::memset(&header_, 0, sizeof header_);
    header_.cbStruct = sizeof header_;
    header_.pbSrc = source;
    header_.cbSrcLength = static_cast<DWORD>(sourceSize);
    header_.pbDst = target;
    header_.cbDstLength = static_cast<DWORD>(targetSize);
    prepared_ = acmStreamPrepareHeader(stream_, &header_, 0) == 0;
  }
  ~ZPreparedHeader() {
    if (prepared_) acmStreamUnprepareHeader(stream_, &header_, 0);
  }
  ZPreparedHeader(const ZPreparedHeader&) = delete;
  ZPreparedHeader& operator=(const ZPreparedHeader&) = delete;
  bool prepared() const { return prepared_; }
  ACMSTREAMHEADER& header() { return header_; }

 private:
  HACMSTREAM stream_;
  ACMSTREAMHEADER header_;
  bool prepared_ = false;
};

}  // namespace

ZMp3Decoder::~ZMp3Decoder() { close(); }

void ZMp3Decoder::close() {
  if (stream_) acmStreamClose(stream_, 0);
  stream_ = nullptr;
}

bool ZMp3Decoder::open(std::vector<uint8_t> file) {
  close();
  file_ = std::move(file);
  const size_t size = file_.size();
  ZMp3Frame frame;
  size_t first = FindFirstMp3Frame(file_.data(), size, Id3TagSize(file_.data(), size), frame);
  if (first >= size) return false;
  audioStart_ = first;
  // The encoder's summary frame holds no sound: start with the next one.
  if (IsMp3InfoFrame(file_.data() + first, frame)) {
    ZMp3Frame next;
    const size_t after = first + frame.length;
    if (after < size && ParseMp3FrameHeader(file_.data() + after, size - after, next)) {
      audioStart_ = after;
      frame = next;
    }
  }
  std::memset(&mp3_, 0, sizeof mp3_);
  mp3_.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
  mp3_.wfx.nChannels = static_cast<WORD>(frame.channels);
  mp3_.wfx.nSamplesPerSec = static_cast<DWORD>(frame.sampleRate);
  mp3_.wfx.nAvgBytesPerSec = static_cast<DWORD>(frame.bitrate / 8);
  mp3_.wfx.nBlockAlign = 1;
  mp3_.wfx.wBitsPerSample = 0;
  mp3_.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
  mp3_.wID = MPEGLAYER3_ID_MPEG;
  mp3_.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
  mp3_.nBlockSize = static_cast<WORD>(frame.length);
  mp3_.nFramesPerBlock = 1;
  mp3_.nCodecDelay = 0;

  std::memset(&pcm_, 0, sizeof pcm_);
  pcm_.wFormatTag = WAVE_FORMAT_PCM;
  pcm_.nChannels = static_cast<WORD>(frame.channels);
  pcm_.nSamplesPerSec = static_cast<DWORD>(frame.sampleRate);
  pcm_.wBitsPerSample = 16;
  pcm_.nBlockAlign = static_cast<WORD>(pcm_.nChannels * 2);
  pcm_.nAvgBytesPerSec = pcm_.nSamplesPerSec * pcm_.nBlockAlign;

  if (acmStreamOpen(&stream_, nullptr, &mp3_.wfx, &pcm_, nullptr, 0, 0, 0) != 0) {
    stream_ = nullptr;
    return false;
  }
  return true;
}

uint64_t ZMp3Decoder::decode(const Sink& sink) {
  if (!stream_) return 0;
  uint64_t bytesOut = 0;
  std::vector<uint8_t> source;
  std::vector<uint8_t> target;
  size_t next = audioStart_;
  bool first = true;
  while (next < file_.size()) {
    const size_t take = std::min(kChunkBytes, file_.size() - next);
    const bool last = next + take >= file_.size();
    source.assign(file_.begin() + static_cast<std::ptrdiff_t>(next),
                  file_.begin() + static_cast<std::ptrdiff_t>(next + take));
    DWORD targetSize = 0;
    if (acmStreamSize(stream_, static_cast<DWORD>(take), &targetSize, ACM_STREAMSIZEF_SOURCE) != 0 ||
        targetSize == 0)
      break;
    target.resize(targetSize);
    ZPreparedHeader prepared(stream_, source.data(), source.size(), target.data(), target.size());
    if (!prepared.prepared()) break;
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN;
    if (first) flags |= ACM_STREAMCONVERTF_START;
    if (last) flags = (first ? ACM_STREAMCONVERTF_START : 0) | ACM_STREAMCONVERTF_END;
    if (acmStreamConvert(stream_, &prepared.header(), flags) != 0) break;
    first = false;
    const ACMSTREAMHEADER& header = prepared.header();
    if (header.cbDstLengthUsed > 0) {
      bytesOut += header.cbDstLengthUsed;
      if (!sink(target.data(), header.cbDstLengthUsed)) break;
    }
    // What the codec left unused starts the next chunk; a chunk it could not
    // use at all is skipped so that a damaged file cannot stall the loop.
    next += header.cbSrcLengthUsed > 0 ? header.cbSrcLengthUsed : take;
  }
  return pcm_.nBlockAlign ? bytesOut / pcm_.nBlockAlign : 0;
}
