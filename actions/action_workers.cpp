#include "actions/action_workers.h"

#include <process.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <utility>

namespace {

std::atomic<bool> g_stopRequested{false};

// Duplicates of the worker handles one wait round waits on.
class ZWaitList {
 public:
  ZWaitList() = default;
  ~ZWaitList() {
    for (HANDLE handle : handles_) CloseHandle(handle);
  }
  ZWaitList(const ZWaitList&) = delete;
  ZWaitList& operator=(const ZWaitList&) = delete;

  void add(HANDLE thread) {
    HANDLE copy = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0))
      handles_.push_back(copy);
  }
  bool empty() const { return handles_.empty(); }
  // MsgWaitForMultipleObjects takes one handle fewer than the system limit.
  DWORD count() const { return static_cast<DWORD>(std::min<size_t>(handles_.size(), MAXIMUM_WAIT_OBJECTS - 1)); }
  const HANDLE* data() const { return handles_.data(); }

 private:
  std::vector<HANDLE> handles_;
};

// Handles the messages other threads have sent to this thread's windows,
// and nothing else: posted input and gesture messages wait for the loop.
void HandleSentMessages() {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool HasEnded(HANDLE thread) { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }

}  // namespace

HANDLE ActionStopEvent() {
  static std::atomic<HANDLE> event{nullptr};
  if (HANDLE existing = event.load()) return existing;
  HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!made) return nullptr;
  HANDLE expected = nullptr;
  if (event.compare_exchange_strong(expected, made)) return made;
  CloseHandle(made);  // another thread was first
  return expected;
}

bool ActionStopRequested() { return g_stopRequested.load(); }

bool WaitUnlessStopped(DWORD ms) {
  HANDLE stop = ActionStopEvent();
  if (!stop) {
    Sleep(ms);
    return !ActionStopRequested();
  }
  return WaitForSingleObject(stop, ms) == WAIT_TIMEOUT;
}

// What a worker thread owns: the work, and for a thread made ready in
// advance the event that tells it the work is there.
struct ZActionWorkers::Launch {
  explicit Launch(bool parked) : go(parked ? CreateEventA(nullptr, FALSE, FALSE, nullptr) : nullptr) {}
  ~Launch() {
    if (go) CloseHandle(go);
  }
  Launch(const Launch&) = delete;
  Launch& operator=(const Launch&) = delete;

  HANDLE go;
  Work work;
};

unsigned __stdcall ZActionWorkers::ThreadMain(void* argument) {
  std::unique_ptr<Launch> launch(static_cast<Launch*>(argument));
  if (launch->go) {
    // A stop before any work came ends the thread made ready.
    const HANDLE wakes[] = {launch->go, ActionStopEvent()};
    if (WaitForMultipleObjects(2, wakes, FALSE, INFINITE) != WAIT_OBJECT_0) return 0;
  }
  launch->work();
  launch.reset();
  ActionWorkers().workDone();
  return 0;
}

bool ZActionWorkers::startThread(Launch* launch) {
  const uintptr_t thread = _beginthreadex(nullptr, 0, ThreadMain, launch, 0, nullptr);
  if (thread == 0) {
    delete launch;
    return false;
  }
  threads_.push_back(reinterpret_cast<HANDLE>(thread));
  return true;
}

void ZActionWorkers::prepareSpare() {
  if (spare_ || stopped_) return;
  auto* launch = new Launch(true);
  if (!launch->go) {
    delete launch;
    return;
  }
  if (startThread(launch)) spare_ = launch;
}

void ZActionWorkers::reapEnded() {
  auto ended = std::remove_if(threads_.begin(), threads_.end(), [](HANDLE thread) {
    if (!HasEnded(thread)) return false;
    CloseHandle(thread);
    return true;
  });
  threads_.erase(ended, threads_.end());
}

bool ZActionWorkers::start(Work work) {
  std::lock_guard<std::mutex> guard(lock_);
  // Without the stop event no wait could be cut short at exit.
  if (stopped_ || !ActionStopEvent()) return false;
  reapEnded();
  bool started = true;
  if (Launch* ready = std::exchange(spare_, nullptr)) {
    ready->work = std::move(work);
    SetEvent(ready->go);  // the thread owns `ready` from here on
  } else {
    auto* launch = new Launch(false);
    launch->work = std::move(work);
    started = startThread(launch);
  }
  return started;
}

void ZActionWorkers::workDone() {
  std::lock_guard<std::mutex> guard(lock_);
  prepareSpare();
}

void ZActionWorkers::requestStop() {
  std::lock_guard<std::mutex> guard(lock_);
  stopped_ = true;
  spare_ = nullptr;  // it wakes on the stop event and ends
  g_stopRequested.store(true);
  if (HANDLE stop = ActionStopEvent()) SetEvent(stop);
}

bool ZActionWorkers::waitForAll(DWORD limitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    ZWaitList waiting;
    {
      std::lock_guard<std::mutex> guard(lock_);
      reapEnded();
      for (HANDLE thread : threads_) waiting.add(thread);
    }
    if (waiting.empty()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= limitMs) return false;
    const DWORD result =
        MsgWaitForMultipleObjects(waiting.count(), waiting.data(), FALSE, limitMs - elapsed, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0 + waiting.count()) HandleSentMessages();
    else if (result == WAIT_FAILED) Sleep(1);  // never spin
  }
}

size_t ZActionWorkers::running() {
  std::lock_guard<std::mutex> guard(lock_);
  reapEnded();
  return threads_.size();
}

void ZActionWorkers::reopen() {
  std::lock_guard<std::mutex> guard(lock_);
  if (HANDLE stop = ActionStopEvent()) ResetEvent(stop);
  g_stopRequested.store(false);
  stopped_ = false;
}

ZActionWorkers& ActionWorkers() {
  static ZActionWorkers* workers = new ZActionWorkers;
  return *workers;
}
