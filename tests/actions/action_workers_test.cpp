// The registry of running actions and its stop request: long waits end at
// the stop, the wait for the workers handles what they send meanwhile, keys
// pressed by a command cut short go up again, and nothing starts afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "actions/action_workers.h"
#include "actions/command_hotkey.h"
#include "actions/command_system.h"
#include "actions/key_table.h"
#include "actions/macro.h"

namespace {

// Far longer than any macro below takes once stopped, far shorter than any
// of them takes when the stop is not observed.
constexpr DWORD kStopLimitMs = 10000;
constexpr int kShiftIndex = 2;  // in the key table

// Waits until `done` holds, handling this thread's messages; false after ten seconds.
template <class Predicate>
bool PumpUntil(Predicate done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 10000) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(5);
  }
  return true;
}

// Every test leaves the registry open for the next one.
class ActionWorkersTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ActionWorkers().requestStop();
    ActionWorkers().waitForAll(kStopLimitMs);
    ActionWorkers().reopen();
  }
};

std::unique_ptr<ZCommand> Pause() {
  auto pause = std::make_unique<ZCommandSystem>();
  pause->setFunction(ZCommandSystem::kPause);
  pause->setParameter(8);  // nine seconds, the longest
  return pause;
}

// Holds down the given key for 80 ms per repetition, many times over.
std::unique_ptr<ZCommand> LongHotkey(uint8_t keyIndex) {
  auto hotkey = std::make_unique<ZCommandHotkey>();
  hotkey->setKey(0, keyIndex);
  hotkey->setRepeat(100000);  // capped at the longest allowed, seconds of keys
  return hotkey;
}

// Notes that it began, waits `delayMs`, sends a message to a window of the
// test thread and notes that it was delivered.
class SendingCommand : public ZCommand {
 public:
  SendingCommand(HWND target, std::atomic<int>& began, std::atomic<int>& delivered, DWORD delayMs = 0)
      : target_(target), began_(began), delivered_(delivered), delayMs_(delayMs) {}
  bool equals(const ZCommand& other) const override { return &other == this; }
  int typeId() const override { return 100; }
  std::string typeName() const override { return "sending"; }
  std::unique_ptr<ZCommand> clone() const override { return std::make_unique<SendingCommand>(*this); }
  bool execute() override {
    ++began_;
    Sleep(delayMs_);
    SendMessageA(target_, WM_NULL, 0, 0);
    ++delivered_;
    return true;
  }

 protected:
  void saveFields(IStorage*) const override {}

 private:
  HWND target_;
  std::atomic<int>& began_;
  std::atomic<int>& delivered_;
  DWORD delayMs_;
};

TEST_F(ActionWorkersTest, StopEndsEveryWaitingActionAndTheWaitSeesThemEnd) {
  // A macro of pauses (45 s), and hotkeys of many repetitions pressing
  // nothing (80 ms each, seconds in all).
  ZMacro pauses;
  for (int i = 0; i < 5; ++i) pauses.append(Pause());
  ZMacro repeats;
  repeats.append(LongHotkey(KeyTable::kNoKey));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(pauses.run(nullptr, true));
  ASSERT_TRUE(repeats.run(nullptr, true));
  Sleep(200);  // all of them well into their waits
  EXPECT_GE(ActionWorkers().running(), 4u);

  ActionWorkers().requestStop();
  EXPECT_TRUE(ActionStopRequested());
  EXPECT_TRUE(ActionWorkers().waitForAll(kStopLimitMs));
  EXPECT_EQ(ActionWorkers().running(), 0u);
}

TEST_F(ActionWorkersTest, NothingStartsOnceStopped) {
  ActionWorkers().requestStop();
  HWND progress = CreateWindowA("STATIC", "progress", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ZMacro macro;
  EXPECT_FALSE(macro.run(progress, true));
  EXPECT_FALSE(IsWindow(progress));  // as for any run that did not start
  EXPECT_FALSE(ActionWorkers().start([] {}));
  EXPECT_TRUE(ActionWorkers().waitForAll(kStopLimitMs));
}

TEST_F(ActionWorkersTest, AfterTheStopARunningMacroBeginsNoFurtherCommand) {
  std::atomic<int> began{0}, delivered{0};
  HWND target = CreateWindowA("STATIC", "target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ZMacro macro;
  macro.append(Pause());
  macro.append(std::make_unique<SendingCommand>(target, began, delivered));
  ASSERT_TRUE(macro.run(nullptr, true));
  Sleep(100);
  ActionWorkers().requestStop();
  EXPECT_TRUE(ActionWorkers().waitForAll(kStopLimitMs));
  EXPECT_EQ(began, 0);
  DestroyWindow(target);
}

TEST_F(ActionWorkersTest, TheWaitHandlesWhatWorkersSendToThisThreadsWindows) {
  // A worker sending to the waiting thread's window would otherwise wait for
  // the thread that waits for it, until the limit.
  // The message is sent once the wait has begun.
  std::atomic<int> began{0}, delivered{0};
  HWND target = CreateWindowA("STATIC", "target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ZMacro macro;
  macro.append(std::make_unique<SendingCommand>(target, began, delivered, 300));
  ASSERT_TRUE(macro.run(nullptr, true));
  ASSERT_TRUE(macro.run(nullptr, true));
  ASSERT_TRUE(PumpUntil([&] { return began == 2; }));
  ActionWorkers().requestStop();  // the spare thread ends too
  EXPECT_TRUE(ActionWorkers().waitForAll(kStopLimitMs));
  EXPECT_EQ(ActionWorkers().running(), 0u);
  EXPECT_EQ(delivered, 2);
  DestroyWindow(target);
}

TEST_F(ActionWorkersTest, EachRunHasAThreadOfItsOwn) {
  std::atomic<int> ran{0};
  std::atomic<DWORD> threads[3] = {};
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(ActionWorkers().start([&, i] {
      threads[i] = GetCurrentThreadId();
      ++ran;
      Sleep(300);  // all three alive at once
    }));
  ASSERT_TRUE(PumpUntil([&] { return ran == 3; }));
  EXPECT_NE(threads[0].load(), threads[1].load());
  EXPECT_NE(threads[1].load(), threads[2].load());
  EXPECT_NE(threads[0].load(), threads[2].load());
  EXPECT_NE(threads[0].load(), GetCurrentThreadId());
}

TEST_F(ActionWorkersTest, AHotkeyCutShortReleasesItsKeys) {
  ZMacro macro;
  macro.append(LongHotkey(kShiftIndex));
  ASSERT_TRUE(macro.run(nullptr, true));
  ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }));
  ActionWorkers().requestStop();
  EXPECT_TRUE(ActionWorkers().waitForAll(kStopLimitMs));
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
}

}  // namespace
