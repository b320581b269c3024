// Benchmark (under Wine): the road of a gesture on the interface thread.
//  - one stroke point: the main window's handler and its trail segment;
//  - the release of the drawing button to the winner's worker running, for
//    a trail of 150 points against 31 candidates;
//  - the parts of that road on their own: recognition, the erase of the
//    trail, the clone of the winner, the start of its worker (a thread made
//    ready before, and a thread started from nothing for comparison).
#include <windows.h>
#include <process.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

#include "actions/action_workers.h"
#include "actions/command_text.h"
#include "common/app_context.h"
#include "common/settings.h"
#include "gesture/symbol_recognizer.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "shell/capture_messages.h"
#include "tests/road/road_fixtures.h"
#include "tests/support/bench_clock.h"

namespace {

constexpr int kLegPoints = 75;  // two legs: a trail of 150 points

std::atomic<LONGLONG> g_started{0};
HANDLE g_startedEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);

void NoteStarted() {
  g_started.store(BenchNow());
  SetEvent(g_startedEvent);
}

// Notes the moment its worker thread runs it. Like a stored action it has a
// symbol with its icon and a command to clone.
class ZTimedAction : public ZAction {
 public:
  ZTimedAction() {
    setName("Timed");
    setSymbol(std::make_unique<Symbol>(LSymbol(5)));
    SymbolIcon::XorMask colours;
    colours.fill(0x4C);
    SymbolIcon::AndMask opaque{};
    symbol()->shapes()[0].icon().setMasks(colours.data(), opaque.data());
    text_.setText("a text to paste");
  }
  ZTimedAction(const ZTimedAction& other) : ZAction(other), text_(other.text_) {}
  bool execute(HWND) override {
    NoteStarted();
    return true;
  }
  std::unique_ptr<ZAction> clone() const override { return std::make_unique<ZTimedAction>(*this); }
  bool equals(const ZAction&) const override { return false; }

 private:
  ZCommandText text_;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// An L of 150 points, drawn down and then right.
void DrawL(ZCaptureMessages& handler) {
  handler.handle(WM_HOOK_STROKE_BEGIN, 0, At(200, 200));
  for (int i = 1; i <= kLegPoints; ++i) handler.handle(WM_HOOK_STROKE_POINT, 0, At(200, 200 + i * 200 / kLegPoints));
  for (int i = 1; i <= kLegPoints; ++i) handler.handle(WM_HOOK_STROKE_POINT, 0, At(200 + i * 200 / kLegPoints, 400));
}

Gesture LTrail() {
  Stroke stroke{Point{200, 200}};
  for (int i = 1; i <= kLegPoints; ++i) stroke.push_back(Point{200, 200 + i * 200 / kLegPoints});
  for (int i = 1; i <= kLegPoints; ++i) stroke.push_back(Point{200 + i * 200 / kLegPoints, 400});
  return Gesture{stroke};
}

// The main window stand-in, the settings of a quiet road, and an application
// plug-in of thirty candidates that do not match and then the one that does.
class ZRoad {
 public:
  ZRoad() : main_("ZavotraBenchMain", "Zavotra", 0, 0, 40), handler_(manager_, nullptr) {
    SetMainWindow(main_.get());
    Settings().playSounds = false;
    Settings().autoHide = false;
    auto plugin = std::make_unique<ZPlugin>();
    for (int i = 0; i < 30; ++i) {
      auto other = Macro("Other", 1000 + i);
      Symbol& symbol = *other->symbol();
      for (Point& p : symbol.shapes()[0].strokes()[0]) p = Point{p.y, (p.x * 7 + i) % 101};
      plugin->addAction(std::move(other));
    }
    plugin->addAction(std::make_unique<ZTimedAction>());
    manager_.setApplicationPlugin(std::move(plugin));
  }
  ~ZRoad() { SetMainWindow(nullptr); }

  ZCaptureMessages& handler() { return handler_; }
  ZPluginManager& manager() { return manager_; }
  HWND main() const { return main_.get(); }

 private:
  TestWindow main_;
  ZPluginManager manager_;
  ZCaptureMessages handler_;
};

ZRoad& Road() {
  static ZRoad road;
  return road;
}

void BM_StrokePoint(benchmark::State& state) {
  ZCaptureMessages& handler = Road().handler();
  handler.handle(WM_HOOK_STROKE_BEGIN, 0, At(100, 100));
  int i = 0;
  for (auto _ : state) {
    ++i;
    handler.handle(WM_HOOK_STROKE_POINT, 0, At(100 + (i * 7) % 500, 100 + (i * 13) % 400));
    if (i % 400 == 0) {  // the trail erased in batches, outside the timing
      state.PauseTiming();
      handler.handle(WM_HOOK_GESTURE_END, 0, 0);
      KillTimer(Road().main(), ID_FEEDBACK_TIMER);
      handler.handle(WM_HOOK_STROKE_BEGIN, 0, At(100, 100));
      state.ResumeTiming();
    }
  }
  handler.handle(WM_HOOK_GESTURE_END, 0, 0);
}
BENCHMARK(BM_StrokePoint)->Unit(benchmark::kMicrosecond);

void BM_ReleaseToWorkerRunning(benchmark::State& state) {
  ZCaptureMessages& handler = Road().handler();
  for (auto _ : state) {
    DrawL(handler);
    const LONGLONG start = BenchNow();
    handler.handle(WM_HOOK_GESTURE_END, 0, 0);
    if (WaitForSingleObject(g_startedEvent, 5000) != WAIT_OBJECT_0 || !handler.lastWinner())
      return state.SkipWithError("the timed action did not run");
    state.SetIterationTime(BenchSeconds(g_started.load() - start));
    KillTimer(Road().main(), ID_FEEDBACK_TIMER);
  }
}
BENCHMARK(BM_ReleaseToWorkerRunning)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_Recognize31Candidates(benchmark::State& state) {
  const Gesture trail = LTrail();
  const std::vector<ZAction*> candidates = Road().manager().candidates();
  for (auto _ : state) {
    SymbolRecognizer recognizer(trail, 100, Settings().recognitionTolerance);
    benchmark::DoNotOptimize(recognizer.recognize(candidates));
  }
}
BENCHMARK(BM_Recognize31Candidates)->Unit(benchmark::kMillisecond);

void BM_EraseTrail150(benchmark::State& state) {
  const Gesture trail = LTrail();
  for (auto _ : state) {
    state.PauseTiming();
    InkTrail ink;
    ink.beginStroke(trail[0][0]);
    for (size_t i = 1; i < trail[0].size(); ++i) ink.addPoint(trail[0][i]);
    state.ResumeTiming();
    ink.eraseAndClear();
  }
}
BENCHMARK(BM_EraseTrail150)->Unit(benchmark::kMillisecond);

void BM_CloneWinner(benchmark::State& state) {
  ZTimedAction action;
  for (auto _ : state) benchmark::DoNotOptimize(action.clone());
}
BENCHMARK(BM_CloneWinner)->Unit(benchmark::kMillisecond);

void BM_WorkerRunning(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Sleep(5);  // gestures come further apart: the thread made ready is parked
    state.ResumeTiming();
    const LONGLONG start = BenchNow();
    if (!ActionWorkers().start(NoteStarted) || WaitForSingleObject(g_startedEvent, 5000) != WAIT_OBJECT_0)
      return state.SkipWithError("the worker did not run");
    state.SetIterationTime(BenchSeconds(g_started.load() - start));
  }
}
BENCHMARK(BM_WorkerRunning)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

unsigned __stdcall NoteStartedThread(void*) {
  NoteStarted();
  return 0;
}

void BM_NewThreadRunning(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Sleep(5);
    state.ResumeTiming();
    const LONGLONG start = BenchNow();
    const uintptr_t thread = _beginthreadex(nullptr, 0, NoteStartedThread, nullptr, 0, nullptr);
    if (!thread || WaitForSingleObject(g_startedEvent, 5000) != WAIT_OBJECT_0)
      return state.SkipWithError("the thread did not run");
    state.SetIterationTime(BenchSeconds(g_started.load() - start));
    WaitForSingleObject(reinterpret_cast<HANDLE>(thread), INFINITE);
    CloseHandle(reinterpret_cast<HANDLE>(thread));
  }
}
BENCHMARK(BM_NewThreadRunning)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
