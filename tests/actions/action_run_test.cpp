// Starting actions: synchronously, or on a worker thread over a clone, with
// a progress window that is told when the action is done.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "actions/macro.h"
#include "actions/web_service.h"

namespace {

// What the test commands of one test share with the test, across clones and
// threads.
struct Journal {
  Journal() : release(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Journal() { CloseHandle(release); }

  void record(const std::string& entry) {
    std::lock_guard<std::mutex> lock(mutex);
    entries.push_back(entry);
  }
  std::vector<std::string> recorded() {
    std::lock_guard<std::mutex> lock(mutex);
    return entries;
  }

  HANDLE release;                 // set by the test to let waiting commands go on
  std::atomic<int> liveCommands{0};
  std::mutex mutex;
  std::vector<std::string> entries;
};

// Records its label when it runs; optionally waits for the journal's release
// event first; returns the result it was given.
class JournalCommand : public ZCommand {
 public:
  JournalCommand(Journal& journal, std::string label, bool result = true, bool waits = false)
      : journal_(journal), label_(std::move(label)), result_(result), waits_(waits) {
    ++journal_.liveCommands;
  }
  JournalCommand(const JournalCommand& other)
      : ZCommand(other), journal_(other.journal_), label_(other.label_), result_(other.result_),
        waits_(other.waits_) {
    ++journal_.liveCommands;
  }
  ~JournalCommand() override { --journal_.liveCommands; }

  void setLabel(const std::string& label) { label_ = label; }

  bool equals(const ZCommand& other) const override { return &other == this; }
  int typeId() const override { return 100; }
  std::string typeName() const override { return "journal"; }
  std::unique_ptr<ZCommand> clone() const override {
    return std::make_unique<JournalCommand>(*this);
  }
  bool execute() override {
    journal_.record("start " + label_);
    if (waits_ && WaitForSingleObject(journal_.release, 10000) != WAIT_OBJECT_0) {
      journal_.record("timed out " + label_);
      return false;
    }
    journal_.record("end " + label_);
    return result_;
  }

 protected:
  void saveFields(IStorage*) const override {}

 private:
  Journal& journal_;
  std::string label_;
  bool result_;
  bool waits_;
};

// Pumps this thread's messages until `done` holds or ten seconds pass.
template <class Predicate>
bool PumpUntil(Predicate done) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 10000) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// A top-level window standing in for the progress dialog; it notes the
// IDCANCEL it is sent, and how many test commands were alive at that moment.
class ProgressWindow {
 public:
  explicit ProgressWindow(Journal& journal) : journal_(journal) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZavotraTestProgress";
    RegisterClassA(&windowClass);
    handle_ = CreateWindowA("ZavotraTestProgress", "progress", WS_OVERLAPPED, 0, 0, 100, 100,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ProgressWindow() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
  }
  HWND handle() const { return handle_; }
  bool cancelled() const { return cancelled_; }
  int liveCommandsAtCancel() const { return liveAtCancel_; }
  DWORD cancelThread() const { return cancelThread_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      self->cancelled_ = true;
      self->liveAtCancel_ = self->journal_.liveCommands;
      self->cancelThread_ = GetCurrentThreadId();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  Journal& journal_;
  HWND handle_ = nullptr;
  bool cancelled_ = false;
  int liveAtCancel_ = -1;
  DWORD cancelThread_ = 0;
};

bool Contains(const std::vector<std::string>& entries, const std::string& entry) {
  return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

TEST(ActionRun, AsynchronousRunReturnsBeforeTheActionEndsAndClosesTheProgressWindow) {
  Journal journal;
  ProgressWindow progress(journal);
  ASSERT_TRUE(progress.handle());
  ZMacro macro;
  macro.append(std::make_unique<JournalCommand>(journal, "blocker", true, true));

  ASSERT_TRUE(macro.run(progress.handle(), true));
  ASSERT_TRUE(PumpUntil([&] { return Contains(journal.recorded(), "start blocker"); }));
  EXPECT_FALSE(Contains(journal.recorded(), "end blocker"));
  EXPECT_FALSE(progress.cancelled());

  SetEvent(journal.release);
  ASSERT_TRUE(PumpUntil([&] { return progress.cancelled(); }));
  EXPECT_TRUE(Contains(journal.recorded(), "end blocker"));
  EXPECT_EQ(progress.cancelThread(), GetCurrentThreadId());
  EXPECT_EQ(progress.liveCommandsAtCancel(), 1);  // the clone is gone, the original stays
  EXPECT_TRUE(IsWindow(progress.handle()));       // closing it is the dialog's own business
}

TEST(ActionRun, RunningCloneIsIndependentOfTheActionInItsPlugin) {
  Journal journal;
  ProgressWindow progress(journal);
  auto macro = std::make_unique<ZMacro>();
  macro->append(std::make_unique<JournalCommand>(journal, "first", true, true));
  macro->append(std::make_unique<JournalCommand>(journal, "second"));
  ASSERT_TRUE(macro->run(progress.handle(), true));
  ASSERT_TRUE(PumpUntil([&] { return Contains(journal.recorded(), "start first"); }));

  // Edit the action, then delete it altogether, while its clone runs.
  static_cast<JournalCommand*>(macro->back())->setLabel("edited");
  macro.reset();
  SetEvent(journal.release);
  ASSERT_TRUE(PumpUntil([&] { return progress.cancelled(); }));
  EXPECT_EQ(journal.recorded(),
            (std::vector<std::string>{"start first", "end first", "start second", "end second"}));
  EXPECT_EQ(journal.liveCommands, 0);
}

TEST(ActionRun, MacroStopsAtTheFirstCommandThatFails) {
  Journal journal;
  ZMacro macro;
  macro.append(std::make_unique<JournalCommand>(journal, "1"));
  macro.append(std::make_unique<JournalCommand>(journal, "2", false));
  macro.append(std::make_unique<JournalCommand>(journal, "3"));
  EXPECT_FALSE(macro.run(nullptr, false));
  EXPECT_EQ(journal.recorded(), (std::vector<std::string>{"start 1", "end 1", "start 2", "end 2"}));
}

TEST(ActionRun, AsynchronousMacroStopsAtTheFirstCommandThatFailsToo) {
  Journal journal;
  ProgressWindow progress(journal);
  ZMacro macro;
  macro.append(std::make_unique<JournalCommand>(journal, "1", false));
  macro.append(std::make_unique<JournalCommand>(journal, "2"));
  ASSERT_TRUE(macro.run(progress.handle(), true));
  ASSERT_TRUE(PumpUntil([&] { return progress.cancelled(); }));
  EXPECT_EQ(journal.recorded(), (std::vector<std::string>{"start 1", "end 1"}));
}

TEST(ActionRun, SynchronousRunGivesTheResultAndDestroysTheProgressWindow) {
  Journal journal;
  ProgressWindow progress(journal);
  ZMacro macro;
  macro.append(std::make_unique<JournalCommand>(journal, "only"));
  EXPECT_TRUE(macro.run(progress.handle(), false));
  EXPECT_FALSE(IsWindow(progress.handle()));
  EXPECT_FALSE(progress.cancelled());
  EXPECT_TRUE(ZMacro().run(nullptr, false));  // nothing to do is a success
}

TEST(ActionRun, AsynchronousRunWithoutProgressWindowDeletesItsClone) {
  Journal journal;
  ZMacro macro;
  macro.append(std::make_unique<JournalCommand>(journal, "only"));
  ASSERT_TRUE(macro.run(nullptr, true));
  ASSERT_TRUE(PumpUntil([&] { return journal.liveCommands == 1; }));
  EXPECT_TRUE(Contains(journal.recorded(), "end only"));
}

TEST(ActionRun, WebServiceRunsAndReportsTheEnd) {
  Journal journal;
  ProgressWindow progress(journal);
  ZWebService service;
  ASSERT_TRUE(service.run(progress.handle(), true));
  EXPECT_TRUE(PumpUntil([&] { return progress.cancelled(); }));
}

}  // namespace
