#include "sound/xa_player.h"

#include <mmsystem.h>

#include <deque>
#include <memory>

#include "sound/mp3_decoder.h"

namespace {

// PCM buffers queued on the device at a time: enough to play without gaps,
// few enough that a stop is heard at once.
constexpr size_t kQueuedBuffers = 4;
constexpr DWORD kBufferWaitMs = 1000;

// Reads a whole file in one call; false when it cannot be read.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& data) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::unique_ptr<void, decltype(&CloseHandle)> guard(file, &CloseHandle);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > MAXDWORD) return false;
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size())
    return false;
  data.swap(bytes);
  return true;
}

// One block of PCM on the output device.
struct ZQueuedBuffer {
  WAVEHDR header;
  std::vector<uint8_t> pcm;
};

// The output device, with the buffers it still plays; closes it on every path.
class ZWaveOutput {
 public:
  explicit ZWaveOutput(const WAVEFORMATEX& format) : done_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
    if (done_ &&
        waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR)
      device_ = nullptr;
  }
  ~ZWaveOutput() {
    if (device_) {
      waveOutReset(device_);
      while (!queue_.empty()) releaseOldest();
      waveOutClose(device_);
    }
    if (done_) CloseHandle(done_);
  }
  ZWaveOutput(const ZWaveOutput&) = delete;
  ZWaveOutput& operator=(const ZWaveOutput&) = delete;

  bool open() const { return device_ != nullptr; }

  // Queues a copy of the PCM, first waiting for room.
  void write(const uint8_t* pcm, size_t bytes, const std::atomic<bool>& stopping) {
    if (!device_) return;
    while (queue_.size() >= kQueuedBuffers && !stopping.load()) waitForOldest();
    auto buffer = std::make_unique<ZQueuedBuffer>();
    buffer->pcm.assign(pcm, pcm + bytes);
    ZeroMemory(&buffer->header, sizeof buffer->header);
    buffer->header.lpData = reinterpret_cast<LPSTR>(buffer->pcm.data());
    buffer->header.dwBufferLength = static_cast<DWORD>(bytes);
    if (waveOutPrepareHeader(device_, &buffer->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return;
    if (waveOutWrite(device_, &buffer->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
      waveOutUnprepareHeader(device_, &buffer->header, sizeof(WAVEHDR));
      return;
    }
    queue_.push_back(std::move(buffer));
  }

  // Lets what is queued play out, unless a stop comes first.
  void drain(const std::atomic<bool>& stopping) {
    while (!queue_.empty() && !stopping.load()) waitForOldest();
  }

 private:
  void waitForOldest() {
    if (!(queue_.front()->header.dwFlags & WHDR_DONE)) WaitForSingleObject(done_, kBufferWaitMs);
    if (queue_.front()->header.dwFlags & WHDR_DONE) releaseOldest();
  }
  void releaseOldest() {
    waveOutUnprepareHeader(device_, &queue_.front()->header, sizeof(WAVEHDR));
    queue_.pop_front();
  }

  HANDLE done_;
  HWAVEOUT device_ = nullptr;
  std::deque<std::unique_ptr<ZQueuedBuffer>> queue_;
};

}  // namespace

XA_Player::XA_Player() = default;

XA_Player::~XA_Player() { endPlayback(); }

int XA_Player::create(HWND* notificationTarget) {
  notificationTarget_ = notificationTarget;
  created_ = true;
  return 0;
}

int XA_Player::setUp(int argument) { return created_ ? 0 : 1; }

int XA_Player::loadFile(const char* path) {
  std::lock_guard<std::mutex> lock(mutex_);
  endPlayback();
  loaded_.clear();
  if (!created_ || !path) return 1;
  std::vector<uint8_t> data;
  if (!ReadWholeFile(path, data)) return 1;
  ZMp3Decoder probe;
  if (!probe.open(data)) return 1;
  loaded_.swap(data);
  return 0;
}

int XA_Player::play() {
  std::lock_guard<std::mutex> lock(mutex_);
  endPlayback();
  if (loaded_.empty()) return 1;
  stopping_.store(false);
  decodedSamples_.store(0);
  thread_ = CreateThread(nullptr, 0, PlaybackThread, this, 0, nullptr);
  return thread_ ? 0 : 1;
}

int XA_Player::stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  endPlayback();
  return 0;
}

bool XA_Player::waitUntilDone(DWORD timeoutMs) {
  HANDLE thread = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!thread_) return true;
    if (!DuplicateHandle(GetCurrentProcess(), thread_, GetCurrentProcess(), &thread, SYNCHRONIZE,
                         FALSE, 0))
      return false;
  }
  const bool done = WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return done;
}

void XA_Player::endPlayback() {
  if (!thread_) return;
  stopping_.store(true);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
}

DWORD WINAPI XA_Player::PlaybackThread(void* player) {
  static_cast<XA_Player*>(player)->playback();
  return 0;
}

// Decodes the loaded file and plays it. Without an output device the file is
// still decoded, so that a broken device never hides a broken file.
void XA_Player::playback() {
  ZMp3Decoder decoder;
  if (!decoder.open(loaded_)) return;
  ZWaveOutput output(decoder.pcmFormat());
  const uint64_t samples = decoder.decode([&](const uint8_t* pcm, size_t bytes) {
    output.write(pcm, bytes, stopping_);
    decodedSamples_.fetch_add(bytes / decoder.pcmFormat().nBlockAlign);
    return !stopping_.load();
  });
  decodedSamples_.store(samples);
  output.drain(stopping_);
}

XA_Player& Mp3Player() {
  static XA_Player player;
  return player;
}
