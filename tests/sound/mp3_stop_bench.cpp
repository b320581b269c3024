// Benchmark (under Wine): how long stopping a playing MP3 keeps its caller
// waiting (the interface thread, for the "not recognized" sound), and how
// long the interface thread spends putting one MP3 in place of another.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>

#include "sound/event_sounds.h"
#include "sound/xa_player.h"
#include "tests/sound/sound_files.h"
#include "tests/support/bench_clock.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kSeconds = 30;

// A long sine as MP3, made once; empty with the reason when it cannot be.
const std::string& LongMp3(std::string& why) {
  static std::string path, reason;
  if (path.empty() && reason.empty()) {
    const std::string wav = TestFolder() + "long.wav";
    const std::string mp3 = TestFolder() + "long.mp3";
    reason = WhyNoEncoder();
    if (reason.empty() && !WriteSineWav(wav, kRate * kSeconds)) reason = "the WAV file could not be written";
    if (reason.empty() && !EncodeMp3(wav, mp3)) reason = "lame did not produce an MP3 file";
    if (reason.empty()) path = mp3;
  }
  why = reason;
  return path;
}

// Plays until a good second of sound is decoded, so that the device has a
// full queue when the stop comes.
bool PlayUntilUnderway(XA_Player& player) {
  if (player.play() != 0) return false;
  const DWORD start = GetTickCount();
  while (player.lastDecodedSamples() < kRate + kRate / 2) {
    if (GetTickCount() - start > 10000) return false;
    Sleep(1);
  }
  return true;
}

void BM_StopPlayingMp3(benchmark::State& state) {
  std::string why;
  const std::string& mp3 = LongMp3(why);
  if (mp3.empty()) return state.SkipWithError(why.c_str());
  XA_Player player;
  if (player.create(nullptr) != 0 || player.loadFile(mp3.c_str()) != 0)
    return state.SkipWithError("the player refused the file");
  for (auto _ : state) {
    if (!PlayUntilUnderway(player)) return state.SkipWithError("the file did not play");
    const LONGLONG start = BenchNow();
    player.stop();
    state.SetIterationTime(BenchSeconds(BenchNow() - start));
  }
}
BENCHMARK(BM_StopPlayingMp3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// What the interface thread spends on the "not recognized" sound while
// another MP3 plays: stop it, load the new file, start it.
void BM_PlayMp3InPlaceOfAnother(benchmark::State& state) {
  std::string why;
  const std::string& mp3 = LongMp3(why);
  if (mp3.empty()) return state.SkipWithError(why.c_str());
  XA_Player& player = Mp3Player();
  if (!player.created() && player.create(nullptr) != 0) return state.SkipWithError("no player");
  for (auto _ : state) {
    if (player.loadFile(mp3.c_str()) != 0 || !PlayUntilUnderway(player))
      return state.SkipWithError("the file did not play");
    const LONGLONG start = BenchNow();
    EventSounds().playFile(mp3);
    state.SetIterationTime(BenchSeconds(BenchNow() - start));
  }
  player.stop();
}
BENCHMARK(BM_PlayMp3InPlaceOfAnother)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
