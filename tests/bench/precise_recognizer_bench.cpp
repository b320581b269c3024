// The precise recognizer beside the symbol recognizer on real gestures: one
// subject and speed of the public gesture logs (read at run time from
// ../shared/gestures, or the folder in ZAVOTRA_GESTURE_LOGS), three samples
// of each of the 16 types as candidates (48), every other sample recognised
// in turn. The precise recognizer's prepared shapes stay cached between
// recognitions, as in the program.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gesture/precise_recognizer.h"
#include "gesture/symbol_recognizer.h"
#include "tools/recognizer_evaluation/gesture_logs.h"

namespace {
constexpr size_t kTemplatesPerType = 3;

struct BenchCandidate {
  Symbol owned;
  const Symbol* symbol() const { return &owned; }
};

struct RealGestures {
  std::vector<std::unique_ptr<BenchCandidate>> owned;
  std::vector<BenchCandidate*> candidates;
  std::vector<Gesture> gestures;
};

// The logs of the set named `name` ("s02/medium"); empty when they are not there.
RealGestures Load(const std::string& name) {
  RealGestures real;
  const char* folder = std::getenv("ZAVOTRA_GESTURE_LOGS");
  std::vector<GestureLogSet> sets;
  if (!ReadGestureLogs(folder ? folder : ZAVOTRA_REAL_GESTURES, sets)) return real;
  for (const GestureLogSet& set : sets) {
    if (set.name != name) continue;
    for (const auto& [type, samples] : set.samplesByType) {
      for (size_t i = 0; i < samples.size(); ++i) {
        if (i < kTemplatesPerType) {
          auto candidate = std::make_unique<BenchCandidate>();
          candidate->owned.addShape().addStroke(samples[i]);
          real.candidates.push_back(candidate.get());
          real.owned.push_back(std::move(candidate));
        } else {
          real.gestures.push_back(Gesture{samples[i]});
        }
      }
    }
  }
  return real;
}

void BM_PreciseRecognizer48Real(benchmark::State& state, const char* set) {
  const RealGestures real = Load(set);
  if (real.gestures.empty()) {
    state.SkipWithError("no gesture logs: set ZAVOTRA_GESTURE_LOGS");
    return;
  }
  PreciseTemplateCache templates;
  size_t next = 0;
  for (auto _ : state) {
    PreciseRecognizer recognizer(real.gestures[next], templates);
    benchmark::DoNotOptimize(recognizer.recognize(real.candidates));
    next = (next + 1) % real.gestures.size();
  }
}

void BM_SymbolRecognizer48Real(benchmark::State& state, const char* set) {
  const RealGestures real = Load(set);
  if (real.gestures.empty()) {
    state.SkipWithError("no gesture logs: set ZAVOTRA_GESTURE_LOGS");
    return;
  }
  size_t next = 0;
  for (auto _ : state) {
    SymbolRecognizer recognizer(real.gestures[next], 100, 30);
    benchmark::DoNotOptimize(recognizer.recognize(real.candidates));
    next = (next + 1) % real.gestures.size();
  }
}
}  // namespace

BENCHMARK_CAPTURE(BM_PreciseRecognizer48Real, fast, "s02/fast")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PreciseRecognizer48Real, slow, "s02/slow")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolRecognizer48Real, fast, "s02/fast")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SymbolRecognizer48Real, slow, "s02/slow")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
