// Recognition of one gesture against lists of candidate actions whose
// symbols hold one shape of one hand-drawn-like stroke.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "gesture/symbol_recognizer.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct BenchAction {
  std::unique_ptr<Symbol> owned;
  const Symbol* symbol() const { return owned.get(); }
};

// A smooth curve in screen pixels: a wandering heading, as a hand draws.
Stroke HandCurve(std::mt19937& random, int points) {
  std::uniform_real_distribution<double> turn(-0.35, 0.35);
  std::uniform_int_distribution<int> start(100, 900);
  Stroke stroke;
  double x = start(random), y = start(random);
  double heading = turn(random) * 18;
  double bend = turn(random) * 0.4;
  for (int i = 0; i < points; ++i) {
    stroke.push_back(Point{static_cast<int>(x), static_cast<int>(y)});
    bend += turn(random) * 0.1;
    heading += bend + turn(random) * 0.2;
    x += 4 * std::cos(heading);
    y += 4 * std::sin(heading);
  }
  return stroke;
}

// The gesture: a loop with a tail, 150 points, about 250 x 200 pixels.
Stroke GestureStroke() {
  Stroke stroke;
  for (int i = 0; i < 150; ++i) {
    const double t = i / 149.0 * 1.6 * kPi;
    stroke.push_back(Point{600 + static_cast<int>(125 * std::cos(t) + 40 * t),
                           400 + static_cast<int>(100 * std::sin(t))});
  }
  return stroke;
}

// The gesture's own stroke redrawn: other position, scale and a small shake.
Stroke Redrawn(const Stroke& stroke, std::mt19937& random, int points) {
  std::uniform_int_distribution<int> shake(-3, 3);
  std::uniform_real_distribution<double> scale(0.6, 1.6);
  const double s = scale(random);
  Stroke out;
  for (int i = 0; i < points; ++i) {
    const Point& p = stroke[static_cast<size_t>(i) * (stroke.size() - 1) / (points - 1)];
    out.push_back(Point{static_cast<int>(p.x * s) + shake(random), static_cast<int>(p.y * s) + shake(random)});
  }
  return out;
}

// `similarShare` of the candidates imitate the gesture; the rest are other curves.
std::vector<BenchAction> Candidates(int count, double similarShare) {
  std::mt19937 random(4242);
  std::uniform_int_distribution<int> length(50, 150);
  std::uniform_real_distribution<double> pick(0, 1);
  const Stroke gesture = GestureStroke();
  std::vector<BenchAction> actions(static_cast<size_t>(count));
  for (BenchAction& action : actions) {
    action.owned = std::make_unique<Symbol>();
    const int points = length(random);
    Stroke stroke = pick(random) < similarShare ? Redrawn(gesture, random, points) : HandCurve(random, points);
    action.owned->addShape().addStroke(std::move(stroke));
  }
  return actions;
}

void Recognise(benchmark::State& state, double similarShare) {
  std::vector<BenchAction> actions = Candidates(static_cast<int>(state.range(0)), similarShare);
  std::vector<const BenchAction*> candidates;
  for (const BenchAction& action : actions)
    candidates.push_back(&action);
  const Gesture gesture{GestureStroke()};
  for (auto _ : state) {
    SymbolRecognizer recognizer(gesture, 100, 30);
    benchmark::DoNotOptimize(recognizer.recognize(candidates));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A realistic list: a tenth of the symbols resemble the gesture.
void BM_RecogniseMixed(benchmark::State& state) { Recognise(state, 0.1); }
// The worst case: every symbol resembles the gesture, so no pairing is cut short.
void BM_RecogniseAllSimilar(benchmark::State& state) { Recognise(state, 1.0); }

BENCHMARK(BM_RecogniseMixed)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecogniseAllSimilar)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace


namespace {
// The floor for any method that looks at every point once: the bounding
// boxes of all candidate shapes.
void BM_BoundingBoxesOnly(benchmark::State& state) {
  std::vector<BenchAction> actions = Candidates(static_cast<int>(state.range(0)), 0.1);
  for (auto _ : state) {
    int64_t sum = 0;
    for (const BenchAction& action : actions)
      sum += BoundingBoxOf(action.symbol()->shapes()[0].strokes())->width();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BoundingBoxesOnly)->Arg(1000)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
