// MP3 to PCM through the system's Audio Compression Manager.
#pragma once
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "sound/mp3_frame.h"

class ZMp3Decoder {
 public:
  ZMp3Decoder() = default;
  ~ZMp3Decoder();
  ZMp3Decoder(const ZMp3Decoder&) = delete;
  ZMp3Decoder& operator=(const ZMp3Decoder&) = delete;

  // Takes the file's bytes, finds the first frame and opens a conversion
  // stream for its format. False when there is no frame or no codec for it.
  bool open(std::vector<uint8_t> file);

  // The 16-bit PCM format the decoder produces.
  const WAVEFORMATEX& pcmFormat() const { return pcm_; }

  // Decodes the whole file in chunks, handing each chunk of PCM bytes to
  // `sink`; stops early when `sink` returns false. Returns the number of
  // sample frames (per channel) produced.
  using Sink = std::function<bool(const uint8_t* pcm, size_t bytes)>;
  uint64_t decode(const Sink& sink);

 private:
  void close();
  std::vector<uint8_t> file_;
  size_t audioStart_ = 0;
  MPEGLAYER3WAVEFORMAT mp3_ = {};
  WAVEFORMATEX pcm_ = {};
  HACMSTREAM stream_ = nullptr;
};
