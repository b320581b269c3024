// Recognition of one gesture, by the recognizer and, in the same run, by the
// plain transcription of its rules that the tests hold it to
// (tests/gesture/reference_recognizer.h):
//  - Scribble and Zigzag: one long stroke against a shaken copy of itself,
//    1,000 to 100,000 points, at tolerances 30, 50 and 100; time should grow
//    linearly with the length (the _BigO and _RMS lines give the fit).
//  - RealGestures: gestures drawn by people, the usual measure on their logs
//    (per subject and speed, three samples of each of the 16 types as
//    templates, 48 candidates; every other sample recognised in turn).
//  - RealMixed: 1000 candidates drawn at random from all the logs.
//  - RealSimilar: 1000 candidates that all resemble the gesture (samples of its
//    type, slightly stretched, turned and shaken), as listed, best first, and
//    each beating the last, which leaves nothing to cut short.
// The logs are read from ../shared/gestures beside the checkout; without them
// the benchmarks that need them report an error and the others still run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "gesture/symbol_recognizer.h"
#include "tests/gesture/gesture_test_support.h"
#include "tests/gesture/reference_recognizer.h"
#include "tests/support/real_gestures.h"

namespace {

constexpr int kBox = 100;
constexpr int kDefaultTolerance = 30;

// A list of candidates as both recognizers take it.
struct Candidates {
  std::vector<Symbol> symbols;
  std::vector<TestCandidate> actions;
  std::vector<TestCandidate*> pointers;
  std::vector<const Symbol*> plain;

  void add(Symbol symbol) { symbols.push_back(std::move(symbol)); }
  // Call once every symbol is in: the pointers stay valid from here on.
  void seal() {
    for (const Symbol& symbol : symbols) {
      actions.push_back({&symbol});
      plain.push_back(&symbol);
    }
    pointers = CandidatePointers(actions);
  }
};

Symbol OneStrokeSymbol(const Stroke& stroke) {
  Symbol symbol;
  symbol.addShape().addStroke(stroke);
  return symbol;
}

struct Optimised {
  static std::optional<size_t> Recognise(const Gesture& gesture, int tolerance, const Candidates& list) {
    SymbolRecognizer recognizer(gesture, kBox, tolerance);
    recognizer.recognize(list.pointers);
    return recognizer.resultIndex();
  }
};

struct Plain {
  static std::optional<size_t> Recognise(const Gesture& gesture, int tolerance, const Candidates& list) {
    return reference::Recognizer(gesture, kBox, tolerance).recognize(list.plain);
  }
};

// One gesture and the candidates it is recognised among.
struct Case {
  Gesture gesture;
  const Candidates* candidates;
};

// Recognises the cases in turn, one per iteration.
template <class Engine>
void RecogniseInTurn(benchmark::State& state, const std::vector<Case>& cases, int tolerance) {
  if (cases.empty()) {
    state.SkipWithError("no gesture logs in " ZAVOTRA_REAL_GESTURES);
    return;
  }
  size_t next = 0;
  for (auto _ : state) {
    const Case& c = cases[next];
    benchmark::DoNotOptimize(Engine::Recognise(c.gesture, tolerance, *c.candidates));
    next = next + 1 == cases.size() ? 0 : next + 1;
  }
}

// --- Length ---------------------------------------------------------------

// One long stroke against a copy of itself, shaken by up to `shake` pixels.
template <class Engine>
void RecogniseLongStroke(benchmark::State& state, int tolerance, int shake, int dx, int dy) {
  const int points = static_cast<int>(state.range(0));
  Candidates list;
  list.add(OneStrokeSymbol(Zigzag(points, shake, 8, 1000, dx, dy)));
  list.seal();
  const Gesture gesture{Zigzag(points, shake, 7, 1000, dx, dy)};
  bool matched = false;
  for (auto _ : state) {
    matched = Engine::Recognise(gesture, tolerance, list).has_value();
    benchmark::DoNotOptimize(matched);
  }
  state.SetComplexityN(points);
  state.counters["matched"] = matched;
}

// A scribble bouncing about the square, about one unit of the recognizer's
// square per point, against a shaken copy.
template <class Engine, int kTolerance>
void BM_Scribble(benchmark::State& state) {
  RecogniseLongStroke<Engine>(state, kTolerance, 6, 7, 5);
}
// A zigzag whose every segment crosses the square, a hundred units per point,
// against an exact copy: shaken, its lines (less than a unit apart) would
// lead the nearest walk astray and the sums past the no-match value.
template <class Engine, int kTolerance>
void BM_Zigzag(benchmark::State& state) {
  RecogniseLongStroke<Engine>(state, kTolerance, 0, 7, 1000);
}

#define ZAVOTRA_LENGTH_BENCHMARK(shape, engine, tolerance)                              \
  BENCHMARK_TEMPLATE(shape, engine, tolerance)                                        \
      ->Arg(1000)->Arg(3000)->Arg(10000)->Arg(30000)->Arg(100000)                     \
      ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond)
#define ZAVOTRA_LENGTH_BENCHMARKS(shape)            \
  ZAVOTRA_LENGTH_BENCHMARK(shape, Optimised, 30);   \
  ZAVOTRA_LENGTH_BENCHMARK(shape, Plain, 30);       \
  ZAVOTRA_LENGTH_BENCHMARK(shape, Optimised, 50);   \
  ZAVOTRA_LENGTH_BENCHMARK(shape, Plain, 50);       \
  ZAVOTRA_LENGTH_BENCHMARK(shape, Optimised, 100);  \
  ZAVOTRA_LENGTH_BENCHMARK(shape, Plain, 100)
ZAVOTRA_LENGTH_BENCHMARKS(BM_Scribble);
ZAVOTRA_LENGTH_BENCHMARKS(BM_Zigzag);

// --- Gestures drawn by people ----------------------------------------------

// Per subject and speed: three random samples of each type as one-stroke
// candidates (in random order), every other sample a gesture.
struct RealProtocol {
  std::vector<Candidates> lists;
  std::vector<Case> cases;
};

const RealProtocol& ThreeTemplates() {
  static const RealProtocol protocol = [] {
    RealProtocol p;
    std::mt19937 random(3);
    p.lists.resize(RealGestures().size());  // never grows again: cases point into it
    for (size_t s = 0; s < RealGestures().size(); ++s) {
      Candidates& list = p.lists[s];
      std::vector<const Stroke*> drawn;
      for (const auto& [type, samples] : RealGestures()[s].samplesByType) {
        std::vector<const Stroke*> shuffled;
        for (const Stroke& sample : samples) shuffled.push_back(&sample);
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        for (size_t k = 0; k < shuffled.size(); ++k) {
          if (k < 3)
            list.add(OneStrokeSymbol(*shuffled[k]));
          else
            drawn.push_back(shuffled[k]);
        }
      }
      std::shuffle(list.symbols.begin(), list.symbols.end(), random);
      list.seal();
      for (const Stroke* stroke : drawn) p.cases.push_back({Gesture{*stroke}, &list});
    }
    std::shuffle(p.cases.begin(), p.cases.end(), random);
    return p;
  }();
  return protocol;
}

template <class Engine>
void BM_RealGestures(benchmark::State& state) {
  RecogniseInTurn<Engine>(state, ThreeTemplates().cases, kDefaultTolerance);
}
BENCHMARK_TEMPLATE(BM_RealGestures, Optimised)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealGestures, Plain)->Unit(benchmark::kMicrosecond);

// Every sample of the logs, with its type.
std::vector<std::pair<size_t, const Stroke*>> AllSamples(std::vector<std::string>* typeNames = nullptr) {
  std::vector<std::pair<size_t, const Stroke*>> all;
  std::vector<std::string> types;
  for (const RealGestureSet& set : RealGestures())
    for (const auto& [type, samples] : set.samplesByType) {
      const size_t t = static_cast<size_t>(std::find(types.begin(), types.end(), type) - types.begin());
      if (t == types.size()) types.push_back(type);
      for (const Stroke& sample : samples) all.push_back({t, &sample});
    }
  if (typeNames) *typeNames = types;
  return all;
}

constexpr size_t kManyCandidates = 1000;

// 1000 random samples of any type and subject as candidates; 64 others,
// four of each type, are the gestures.
const std::vector<Case>& MixedCases() {
  static Candidates list;
  static const std::vector<Case> cases = [] {
    std::vector<Case> result;
    std::vector<std::pair<size_t, const Stroke*>> all = AllSamples();
    if (all.size() < kManyCandidates + 64) return result;
    std::mt19937 random(1000);
    std::shuffle(all.begin(), all.end(), random);
    for (size_t i = 0; i < kManyCandidates; ++i) list.add(OneStrokeSymbol(*all[i].second));
    list.seal();
    std::vector<int> perType(64, 0);
    for (size_t i = kManyCandidates; i < all.size() && result.size() < 64; ++i)
      if (perType[all[i].first]++ < 4) result.push_back({Gesture{*all[i].second}, &list});
    return result;
  }();
  return cases;
}

template <class Engine>
void BM_RealMixed(benchmark::State& state) {
  RecogniseInTurn<Engine>(state, MixedCases(), kDefaultTolerance);
}
BENCHMARK_TEMPLATE(BM_RealMixed, Optimised)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealMixed, Plain)->Unit(benchmark::kMicrosecond);

// A sample redrawn: stretched up to 15% on each axis, turned up to 6 degrees
// about its first point and shaken by up to 2 pixels.
Stroke Resembling(const Stroke& sample, std::mt19937& random) {
  std::uniform_real_distribution<double> stretch(0.85, 1.15), turn(-0.105, 0.105);
  std::uniform_int_distribution<int> shake(-2, 2);
  const double sx = stretch(random), sy = stretch(random), angle = turn(random);
  const double c = std::cos(angle), s = std::sin(angle);
  Stroke out;
  for (const Point& p : sample) {
    const double x = (p.x - sample[0].x) * sx, y = (p.y - sample[0].y) * sy;
    out.push_back(Point{sample[0].x + static_cast<int>(std::lround(c * x - s * y)) + shake(random),
                        sample[0].y + static_cast<int>(std::lround(s * x + c * y)) + shake(random)});
  }
  return out;
}

enum class Order { AsDrawn, BestFirst, EachBeatsTheLast };

// One gesture of each type; for each, 1000 candidates made from the other
// samples of its type, in the given order of their scores.
template <Order kOrder>
const std::vector<Case>& SimilarCases() {
  static std::vector<Candidates> lists;
  static const std::vector<Case> cases = [] {
    std::vector<Case> result;
    std::vector<std::string> types;
    const std::vector<std::pair<size_t, const Stroke*>> all = AllSamples(&types);
    std::mt19937 random(77);
    lists.resize(types.size());  // never grows again: cases point into it
    for (size_t t = 0; t < types.size(); ++t) {
      std::vector<const Stroke*> ofType;
      for (const auto& [type, stroke] : all)
        if (type == t) ofType.push_back(stroke);
      if (ofType.size() < 2) continue;
      std::shuffle(ofType.begin(), ofType.end(), random);
      const Gesture gesture{*ofType[0]};
      std::vector<Stroke> strokes;
      for (size_t i = 0; strokes.size() < kManyCandidates; ++i)
        strokes.push_back(Resembling(*ofType[1 + i % (ofType.size() - 1)], random));
      if (kOrder != Order::AsDrawn) {
        const reference::Recognizer plain(gesture, kBox, kDefaultTolerance);
        std::vector<std::pair<float, size_t>> scored;
        for (size_t i = 0; i < strokes.size(); ++i)
          scored.push_back({plain.symbolScore(OneStrokeSymbol(strokes[i])), i});
        std::stable_sort(scored.begin(), scored.end());
        if (kOrder == Order::EachBeatsTheLast) std::reverse(scored.begin(), scored.end());
        std::vector<Stroke> ordered;
        for (const auto& [score, i] : scored) ordered.push_back(strokes[i]);
        strokes = std::move(ordered);
      }
      for (const Stroke& stroke : strokes) lists[t].add(OneStrokeSymbol(stroke));
      lists[t].seal();
      result.push_back({gesture, &lists[t]});
    }
    return result;
  }();
  return cases;
}

template <class Engine, Order kOrder>
void BM_RealSimilar(benchmark::State& state) {
  RecogniseInTurn<Engine>(state, SimilarCases<kOrder>(), kDefaultTolerance);
}
BENCHMARK_TEMPLATE(BM_RealSimilar, Optimised, Order::AsDrawn)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealSimilar, Plain, Order::AsDrawn)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealSimilar, Optimised, Order::BestFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealSimilar, Plain, Order::BestFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealSimilar, Optimised, Order::EachBeatsTheLast)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_RealSimilar, Plain, Order::EachBeatsTheLast)->Unit(benchmark::kMicrosecond);

// The floor for any method that looks at every point once: the bounding
// boxes of the 1000 mixed candidates.
void BM_RealMixedBoundingBoxesOnly(benchmark::State& state) {
  const std::vector<Case>& cases = MixedCases();
  if (cases.empty()) {
    state.SkipWithError("no gesture logs in " ZAVOTRA_REAL_GESTURES);
    return;
  }
  for (auto _ : state) {
    int64_t sum = 0;
    for (const Symbol* symbol : cases[0].candidates->plain)
      sum += BoundingBoxOf(symbol->shapes()[0].strokes())->width();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_RealMixedBoundingBoxesOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
