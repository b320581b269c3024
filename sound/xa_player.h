// The program's MP3 player: one process-wide instance, driven by the same
// small set of control operations as the player library it stands in for.
// Decoding (the system's Audio Compression Manager) and output (waveOut) run
// on a thread of the player's own, so that every call returns at once.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class XA_Player {
 public:
  // Control codes; a result of 0 means success.
  static constexpr int kPlay = 4;
  static constexpr int kStop = 6;
  static constexpr int kLoadFile = 8;
  static constexpr int kSetUp = 34;
  static constexpr int kSetUpArgument = 5;

  XA_Player();
  virtual ~XA_Player();
  XA_Player(const XA_Player&) = delete;
  XA_Player& operator=(const XA_Player&) = delete;

  // Makes the player ready. `notificationTarget` is where the main window
  // handle will be found later; nothing is posted to it. 0 on success.
  virtual int create(HWND* notificationTarget);
  bool created() const { return created_; }

  // The set-up message of start-up (code 34, argument 5): nothing to adjust
  // in this player; 0 when the player was created.
  int setUp(int argument);
  // Stops what plays and loads the file: 0 when it holds MP3 audio that the
  // system's codec accepts, non-zero otherwise (nothing is loaded then).
  int loadFile(const char* path);
  // Starts the loaded file from its beginning; non-zero when none is loaded.
  int play();
  // Stops what plays: returns once the device is silent, which the decoding
  // thread sees at once (it waits on the stop, and converts small chunks).
  // Closing the device can take a while, so the thread does that after this
  // has returned. Always 0.
  int stop();

  // Waits at most `timeoutMs` for the current playback to end by itself.
  bool waitUntilDone(DWORD timeoutMs);
  // Sample frames (per channel) decoded in the current or last playback.
  uint64_t lastDecodedSamples();

 private:
  struct Playback;
  static DWORD WINAPI PlaybackThread(void* playback);
  static void Play(Playback& playback);
  void endPlayback();
  void reapRetired(DWORD waitMs);

  bool created_ = false;
  HWND* notificationTarget_ = nullptr;
  std::mutex mutex_;  // serialises the control operations
  std::shared_ptr<const std::vector<uint8_t>> loaded_;
  std::shared_ptr<Playback> current_;
  HANDLE thread_ = nullptr;        // the current playback's
  std::vector<HANDLE> retired_;    // stopped playbacks still closing their device
  uint64_t lastDecoded_ = 0;       // of the last playback that ended
};

// The process-wide player.
XA_Player& Mp3Player();
