#include "sound/xa_player.h"

#include <mmsystem.h>

#include <atomic>
#include <deque>
#include <memory>

#include "sound/mp3_decoder.h"

namespace {

// PCM buffers queued on the device at a time: enough to play without gaps.
// A stop does not wait for them: the device is reset at once.
constexpr size_t kQueuedBuffers = 4;
// A buffer the device never reports done (a broken driver) is waited for at
// most this long.
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

// An event handle closed with its owner.
class ZEvent {
 public:
  explicit ZEvent(bool manualReset) : handle_(CreateEventA(nullptr, manualReset, FALSE, nullptr)) {}
  ~ZEvent() {
    if (handle_) CloseHandle(handle_);
  }
  ZEvent(const ZEvent&) = delete;
  ZEvent& operator=(const ZEvent&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The output device, with the buffers it still plays; closes it on every
// path. Every wait for the device also wakes on `stop`, after which nothing
// more is queued; silence() resets the device at once and sets `silenced`.
class ZWaveOutput {
 public:
  ZWaveOutput(const WAVEFORMATEX& format, HANDLE stop, HANDLE silenced)
      : stop_(stop), silenced_(silenced) {
    if (done_.get() &&
        waveOutOpen(&device_, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_.get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR)
      device_ = nullptr;
  }
  ~ZWaveOutput() {
    silence();
    if (device_) {
      while (!queue_.empty()) releaseOldest();
      waveOutClose(device_);
    }
  }

  // Drops what the device still holds; whoever waits for the stop may go on.
  void silence() {
    if (device_) waveOutReset(device_);
    SetEvent(silenced_);
  }
  ZWaveOutput(const ZWaveOutput&) = delete;
  ZWaveOutput& operator=(const ZWaveOutput&) = delete;

  bool open() const { return device_ != nullptr; }

  // Queues a copy of the PCM, first waiting for room.
  void write(const uint8_t* pcm, size_t bytes) {
    if (!device_) return;
    while (queue_.size() >= kQueuedBuffers && !stopped()) waitForOldest();
    if (stopped()) return;
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
  void drain() {
    while (!queue_.empty() && !stopped()) waitForOldest();
  }

 private:
  bool stopped() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }
  void waitForOldest() {
    if (!(queue_.front()->header.dwFlags & WHDR_DONE)) {
      const HANDLE wakes[] = {done_.get(), stop_};
      WaitForMultipleObjects(2, wakes, FALSE, kBufferWaitMs);
    }
    if (queue_.front()->header.dwFlags & WHDR_DONE) releaseOldest();
  }
  void releaseOldest() {
    waveOutUnprepareHeader(device_, &queue_.front()->header, sizeof(WAVEHDR));
    queue_.pop_front();
  }

  ZEvent done_{false};
  HANDLE stop_;
  HANDLE silenced_;
  HWAVEOUT device_ = nullptr;
  std::deque<std::unique_ptr<ZQueuedBuffer>> queue_;
};


}  // namespace

// One playback, shared by the player and its thread until both are done
// with it, so that a stopped playback may finish closing its device while
// the next one plays.
struct XA_Player::Playback {
  explicit Playback(std::shared_ptr<const std::vector<uint8_t>> data) : file(std::move(data)) {}
  std::shared_ptr<const std::vector<uint8_t>> file;
  ZEvent stop{true};
  ZEvent silenced{true};  // set once nothing of this playback can be heard
  std::atomic<uint64_t> decodedSamples{0};
};

XA_Player::XA_Player() = default;

XA_Player::~XA_Player() {
  std::lock_guard<std::mutex> lock(mutex_);
  endPlayback();
  reapRetired(INFINITE);
}

int XA_Player::create(HWND* notificationTarget) {
  notificationTarget_ = notificationTarget;
  created_ = true;
  return 0;
}

int XA_Player::setUp(int argument) { return created_ ? 0 : 1; }

int XA_Player::loadFile(const char* path) {
  std::lock_guard<std::mutex> lock(mutex_);
  endPlayback();
  loaded_.reset();
  if (!created_ || !path) return 1;
  std::vector<uint8_t> data;
  if (!ReadWholeFile(path, data)) return 1;
  ZMp3Decoder probe;
  if (!probe.open(data)) return 1;
  loaded_ = std::make_shared<const std::vector<uint8_t>>(std::move(data));
  return 0;
}

int XA_Player::play() {
  std::lock_guard<std::mutex> lock(mutex_);
  endPlayback();
  reapRetired(0);
  if (!loaded_) return 1;
  auto playback = std::make_shared<Playback>(loaded_);
  if (!playback->stop.get() || !playback->silenced.get()) return 1;
  auto* share = new std::shared_ptr<Playback>(playback);  // the thread's
  thread_ = CreateThread(nullptr, 0, PlaybackThread, share, 0, nullptr);
  if (!thread_) {
    delete share;
    return 1;
  }
  current_ = std::move(playback);
  return 0;
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

uint64_t XA_Player::lastDecodedSamples() {
  std::lock_guard<std::mutex> lock(mutex_);
  return current_ ? current_->decodedSamples.load() : lastDecoded_;
}

// With mutex_ held.
void XA_Player::endPlayback() {
  if (!thread_) return;
  SetEvent(current_->stop.get());
  // Until the device is silent, or the thread has ended some other way.
  const HANDLE ends[] = {current_->silenced.get(), thread_};
  WaitForMultipleObjects(2, ends, FALSE, INFINITE);
  lastDecoded_ = current_->decodedSamples.load();
  retired_.push_back(thread_);
  thread_ = nullptr;
  current_.reset();
}

// Closes the handles of retired threads that have ended, waiting at most
// `waitMs` for each. With mutex_ held.
void XA_Player::reapRetired(DWORD waitMs) {
  std::vector<HANDLE> running;
  for (HANDLE thread : retired_) {
    if (WaitForSingleObject(thread, waitMs) == WAIT_OBJECT_0) CloseHandle(thread);
    else running.push_back(thread);
  }
  retired_.swap(running);
}

DWORD WINAPI XA_Player::PlaybackThread(void* share) {
  std::unique_ptr<std::shared_ptr<Playback>> playback(static_cast<std::shared_ptr<Playback>*>(share));
  Play(**playback);
  SetEvent((*playback)->silenced.get());  // also when nothing could be played
  return 0;
}

// Decodes the file and plays it. Without an output device the file is
// still decoded, so that a broken device never hides a broken file.
void XA_Player::Play(Playback& playback) {
  ZMp3Decoder decoder;
  if (!decoder.open(*playback.file)) return;
  const HANDLE stop = playback.stop.get();
  ZWaveOutput output(decoder.pcmFormat(), stop, playback.silenced.get());
  const uint64_t samples = decoder.decode([&](const uint8_t* pcm, size_t bytes) {
    output.write(pcm, bytes);
    playback.decodedSamples.fetch_add(bytes / decoder.pcmFormat().nBlockAlign);
    return WaitForSingleObject(stop, 0) != WAIT_OBJECT_0;
  });
  playback.decodedSamples.store(samples);
  output.drain();
  // Silent before the device is closed, which may take a while.
  output.silence();
}

XA_Player& Mp3Player() {
  static XA_Player player;
  return player;
}
