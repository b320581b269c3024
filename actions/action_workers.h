// The threads that run actions, and the stop request that ends them when the
// program exits. Each started action runs on a C run-time thread of its own;
// the registry keeps every such thread's handle so that shutdown can ask them
// to stop and wait for them before anything they use (the hook library, the
// main window, the sound player, static objects) goes away.
//
// Every wait of an action that may last longer than a moment (a pause, the
// hold of a key, the wait for the user's modifiers, for the clipboard's turn,
// for a launched program) observes the stop request, so that an exit cuts a
// macro short at its next wait instead of being held up by it. What a command
// has begun it finishes in the user's favour: pressed keys are released, the
// user's clipboard is put back.
#pragma once
#include <windows.h>

#include <functional>
#include <mutex>
#include <vector>

// The manual-reset event set by the stop request, for waits on other
// handles as well. Never null once the first worker has started (creation
// is tried on every call until it succeeds).
HANDLE ActionStopEvent();
// True once the running actions have been asked to stop.
bool ActionStopRequested();
// Waits `ms`; false, returning early, when the stop request comes first.
bool WaitUnlessStopped(DWORD ms);

class ZActionWorkers {
 public:
  using Work = std::function<void()>;

  ZActionWorkers() = default;
  ZActionWorkers(const ZActionWorkers&) = delete;
  ZActionWorkers& operator=(const ZActionWorkers&) = delete;

  // Runs `work` on a thread of its own: the thread made ready in advance
  // when there is one, else a new one. Starting a thread costs the moment
  // after a gesture far more than waking one (under Wine, 0.7 ms against
  // 0.15), so each worker, once its work is done, makes the next one ready;
  // it then waits, costing nothing, for the next start or the stop. False,
  // with `work` dropped, when no thread could be had or the workers have
  // been stopped.
  bool start(Work work);

  // Asks every running action to stop; no worker starts afterwards.
  void requestStop();
  // Waits at most `limitMs` for every worker thread to end (the one made
  // ready ends only at the stop request). Messages sent to
  // this thread's windows are handled meanwhile: workers send to the main
  // window (the clipboard's owner, the show and monitor commands), and would
  // otherwise wait for the thread that waits for them. True when none is
  // left.
  bool waitForAll(DWORD limitMs);
  // Worker threads that have not ended yet, the one made ready included.
  size_t running();

  // Lets workers start again after a stop, with no stop request pending.
  // For tests, which stop and start in one process.
  void reopen();

 private:
  struct Launch;
  static unsigned __stdcall ThreadMain(void* launch);
  void workDone();  // on the worker, after its work
  // Starts a thread for `launch`, which it then owns; with `lock_` held.
  bool startThread(Launch* launch);
  void prepareSpare();  // with `lock_` held
  void reapEnded();     // with `lock_` held

  std::mutex lock_;
  bool stopped_ = false;
  Launch* spare_ = nullptr;       // owned by its parked thread
  std::vector<HANDLE> threads_;   // every started thread not yet seen ended
};

// The process-wide registry. It is never destroyed, so that a worker still
// ending while static objects go away finds it intact.
ZActionWorkers& ActionWorkers();
