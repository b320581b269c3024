// Reading the clipboard's "HTML Format" fragment: 64 KiB to 1 MiB of bare
// ampersands (no ";" anywhere), of ampersands with one ";" at the very end,
// of character references, and of tagged text. The reader runs while the
// clipboard is locked, so its time must grow linearly with the data:
// compare the per-byte times across sizes (and the fitted complexity).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "actions/html_fragment.h"

namespace {

// Clipboard data whose fragment is `size` bytes made by repeating `unit`,
// with `tail` as its last bytes.
std::string ClipboardData(size_t size, const std::string& unit, const std::string& tail = "") {
  std::string fragment;
  fragment.reserve(size);
  while (fragment.size() + unit.size() + tail.size() <= size) fragment += unit;
  fragment += tail;
  char header[160];
  const int headerSize = 105;  // fixed, so that the offsets are known before
  std::snprintf(header, sizeof header, "Version:0.9\r\nStartFragment:%010d\r\nEndFragment:%010d\r\n",
                headerSize, headerSize + static_cast<int>(fragment.size()));
  std::string data = header;
  data.resize(headerSize, ' ');
  return data + fragment;
}

void Read(benchmark::State& state, const std::string& unit, const std::string& tail) {
  const std::string data = ClipboardData(static_cast<size_t>(state.range(0)), unit, tail);
  std::u16string text;
  for (auto _ : state) {
    const bool read = ReadHtmlFragment(data.data(), data.size(), text);
    benchmark::DoNotOptimize(read);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(data.size()));
  state.SetComplexityN(state.range(0));
}

void BareAmpersands(benchmark::State& state) { Read(state, "&", ""); }
void AmpersandsThenOneSemicolon(benchmark::State& state) { Read(state, "& ", ";"); }
void References(benchmark::State& state) { Read(state, "a&amp;b&#233;&lt;", ""); }
void TaggedText(benchmark::State& state) { Read(state, "<b>bold</b> text ", ""); }

constexpr int64_t kSmallest = 64 << 10;
constexpr int64_t kLargest = 1 << 20;

}  // namespace

BENCHMARK(BareAmpersands)->RangeMultiplier(4)->Range(kSmallest, kLargest)->Complexity(benchmark::oN);
BENCHMARK(AmpersandsThenOneSemicolon)->RangeMultiplier(4)->Range(kSmallest, kLargest)->Complexity(benchmark::oN);
BENCHMARK(References)->RangeMultiplier(4)->Range(kSmallest, kLargest)->Complexity(benchmark::oN);
BENCHMARK(TaggedText)->RangeMultiplier(4)->Range(kSmallest, kLargest)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
