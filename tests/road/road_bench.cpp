// Benchmark (run by hand under Wine): the cost of one stroke point in the
// main window (handler and trail segment), and the time from the end of a
// gesture to the start of the winning action's worker thread.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>

#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "shell/capture_messages.h"
#include "common/settings.h"
#include "tests/road/road_fixtures.h"
#include "tests/support/bench_clock.h"

namespace {

std::atomic<LONGLONG> g_started{0};
HANDLE g_startedEvent = nullptr;

// Notes the moment its worker thread runs it.
class ZTimedAction : public ZAction {
 public:
  ZTimedAction() = default;
  ZTimedAction(const ZTimedAction& other) : ZAction(other) {}
  bool execute(HWND) override {
    g_started.store(BenchNow());
    SetEvent(g_startedEvent);
    return true;
  }
  std::unique_ptr<ZAction> clone() const override { return std::make_unique<ZTimedAction>(*this); }
  bool equals(const ZAction&) const override { return false; }

 protected:
  void loadBody(IStorage*) override {}
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

void DrawL(ZCaptureMessages& handler) {
  handler.handle(WM_HOOK_STROKE_BEGIN, 0, At(200, 200));
  for (int d = 5; d <= 200; d += 5) handler.handle(WM_HOOK_STROKE_POINT, 0, At(200, 200 + d));
  for (int d = 5; d <= 200; d += 5) handler.handle(WM_HOOK_STROKE_POINT, 0, At(200 + d, 400));
}
}  // namespace

int main() {
  TestWindow main("ZavotraBenchMain", "Zavotra", 0, 0, 40);
  SetMainWindow(main.get());
  Settings().playSounds = false;
  Settings().autoHide = false;
  g_startedEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);

  ZPluginManager manager;
  auto plugin = std::make_unique<ZPlugin>();
  // Thirty candidates that do not match, then the one that does.
  for (int i = 0; i < 30; ++i) {
    auto other = Macro("Other", 1000 + i);
    Symbol& symbol = *other->symbol();
    for (Point& p : symbol.shapes()[0].strokes()[0]) p = Point{p.y, (p.x * 7 + i) % 101};
    plugin->addAction(std::move(other));
  }
  auto timed = std::make_unique<ZTimedAction>();
  timed->setName("Timed");
  timed->setSymbol(std::make_unique<Symbol>(LSymbol(5)));
  plugin->addAction(std::move(timed));
  manager.setApplicationPlugin(std::move(plugin));
  ZCaptureMessages handler(manager, nullptr);

  // One stroke point: many points along a zigzag, the trail erased in batches.
  const int kPoints = 4000;
  LONGLONG pointTicks = 0;
  for (int batch = 0; batch < kPoints / 400; ++batch) {
    handler.handle(WM_HOOK_STROKE_BEGIN, 0, At(100, 100));
    const LONGLONG start = BenchNow();
    for (int i = 1; i <= 400; ++i) handler.handle(WM_HOOK_STROKE_POINT, 0, At(100 + (i * 7) % 500, 100 + (i * 13) % 400));
    pointTicks += BenchNow() - start;
    handler.handle(WM_HOOK_GESTURE_END, 0, 0);
  }
  printf("stroke point (handler + trail segment): %.4f ms average over %d points\n",
         BenchMilliseconds(pointTicks) / kPoints, kPoints);

  // Gesture end to the worker thread running the winner.
  const int kGestures = 50;
  LONGLONG endTicks = 0;
  double worst = 0;
  for (int i = 0; i < kGestures; ++i) {
    DrawL(handler);
    const LONGLONG start = BenchNow();
    handler.handle(WM_HOOK_GESTURE_END, 0, 0);
    if (WaitForSingleObject(g_startedEvent, 5000) != WAIT_OBJECT_0 || handler.lastWinner() == nullptr) {
      printf("the timed action did not run\n");
      return 1;
    }
    const LONGLONG took = g_started.load() - start;
    endTicks += took;
    if (BenchMilliseconds(took) > worst) worst = BenchMilliseconds(took);
    KillTimer(main.get(), ID_FEEDBACK_TIMER);
  }
  printf("gesture end to worker started (31 candidates): %.3f ms average, %.3f ms worst over %d gestures\n",
         BenchMilliseconds(endTicks) / kGestures, worst, kGestures);
  SetMainWindow(nullptr);
  CloseHandle(g_startedEvent);
  return 0;
}
