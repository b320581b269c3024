// Zavotra.dll end to end: the freshly built library, a window of the main
// window's class that records what the library posts, a second window under
// the pointer that records the clicks and keys that reach it, and input
// injected with SendInput (unmarked, so the library takes it for the user's).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "hook/hook_protocol.h"

namespace {

struct Message {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

bool operator==(const Message& a, const Message& b) {
  return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}

std::ostream& operator<<(std::ostream& out, const Message& m) {
  return out << "{0x" << std::hex << m.message << std::dec << ", " << m.wParam << ", ("
             << static_cast<short>(LOWORD(m.lParam)) << "," << static_cast<short>(HIWORD(m.lParam)) << ")}";
}

Message Hook(UINT message, POINT at) { return {message, 0, MAKELPARAM(at.x, at.y)}; }

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* log = reinterpret_cast<std::vector<Message>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const bool hookMessage = message >= WM_HOOK_ENABLE && message <= WM_HOOK_GESTURE_CANCEL;
  const bool buttonMessage = message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
  const bool keyMessage = message == WM_KEYDOWN || message == WM_KEYUP;
  if (log && (hookMessage || buttonMessage || keyMessage)) log->push_back({message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateRecordingWindow(const char* className, DWORD style, RECT place, std::vector<Message>* log) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(WS_EX_TOPMOST, className, className, style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(log));
  return window;
}

void PumpFor(DWORD milliseconds, const std::function<bool()>& done = nullptr) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done && done()) return;
    if (GetTickCount() - start > milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

LONG Normalised(LONG pixel, int extent) { return static_cast<LONG>((pixel * 65536LL + extent - 1) / extent); }

void SendMouse(DWORD flags, POINT at, ULONG_PTR mark = 0) {
  INPUT input = {};
  input.mi.dwExtraInfo = mark;
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalised(at.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalised(at.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

void SendKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(input));
}

struct Button {
  int32_t setting;
  DWORD downFlag;
  DWORD upFlag;
  UINT downMessage;
  UINT upMessage;
};
const Button kRight = {-1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, WM_RBUTTONDOWN, WM_RBUTTONUP};
const Button kLeft = {1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
const Button kMiddle = {0, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, WM_MBUTTONDOWN, WM_MBUTTONUP};

void Press(const Button& button, POINT at) { SendMouse(MOUSEEVENTF_MOVE | button.downFlag, at); }
void MoveTo(POINT at) { SendMouse(MOUSEEVENTF_MOVE, at); }
void Release(const Button& button, POINT at) { SendMouse(button.upFlag, at); }

// Press at the first point, move through the others, release at the last.
void Drag(const Button& button, const std::vector<POINT>& path) {
  SetCursorPos(path.front().x, path.front().y);  // the real pointer, so the press lands here
  Press(button, path.front());
  for (size_t i = 1; i < path.size(); ++i) MoveTo(path[i]);
  Release(button, path.back());
}

// A low-level mouse hook of the test's own, on a thread of its own, installed
// after the library's and so called before it. It hides input from the
// library: the next release of the right button, as the system does for a
// release over an elevated window, or everything, as if the system had
// dropped the library's hook.
class FirstHook {
 public:
  enum class Hide { NextRightRelease, Everything };

  explicit FirstHook(Hide hide) {
    hide_ = hide;
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &FirstHook::Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, 5000);
  }
  ~FirstHook() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
  }
  FirstHook(const FirstHook&) = delete;
  FirstHook& operator=(const FirstHook&) = delete;

  static int hidden() { return hidden_; }

 private:
  static DWORD WINAPI Run(void* self) {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    hidden_ = 0;
    HHOOK hook = SetWindowsHookExA(WH_MOUSE_LL, &FirstHook::Proc, GetModuleHandleA(nullptr), 0);
    SetEvent(static_cast<FirstHook*>(self)->ready_);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    if (hook) UnhookWindowsHookEx(hook);
    return 0;
  }
  static LRESULT CALLBACK Proc(int code, WPARAM message, LPARAM data) {
    const bool ours = reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->dwExtraInfo == ZAVOTRA_INPUT_SIGNATURE;
    if (code == HC_ACTION && !ours) {
      if (hide_ == Hide::Everything) return ++hidden_, 1;
      if (message == WM_RBUTTONUP && hidden_ == 0) return ++hidden_, 1;
    }
    return CallNextHookEx(nullptr, code, message, data);
  }

  static Hide hide_;
  static std::atomic<int> hidden_;
  HANDLE ready_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
};
FirstHook::Hide FirstHook::hide_ = FirstHook::Hide::Everything;
std::atomic<int> FirstHook::hidden_{0};

constexpr RECT kTargetPlace = {200, 200, 600, 600};
constexpr int kThreshold = 8;

class HookDllTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    mainWindow_ = CreateRecordingWindow(ZAVOTRA_WINDOW_CLASS, WS_POPUP, {0, 0, 10, 10}, &mainLog_);
    target_ = CreateRecordingWindow("HookTestTarget", WS_POPUP | WS_VISIBLE, kTargetPlace, &targetLog_);
    SetForegroundWindow(target_);
    PumpFor(200);
  }
  static void TearDownTestSuite() {
    DestroyWindow(target_);
    DestroyWindow(mainWindow_);
  }

  void SetUp() override {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dll(path);
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "Zavotra.dll";
    library_ = LoadLibraryA(dll.c_str());
    ASSERT_NE(library_, nullptr) << dll;
    update_ = reinterpret_cast<UpdateSettingsFn>(GetProcAddress(library_, "UpdateSettings"));
    release_ = reinterpret_cast<ReleaseHooksFn>(GetProcAddress(library_, "ReleaseHooks"));
    ASSERT_NE(update_, nullptr);
    ASSERT_NE(release_, nullptr);
    PumpFor(50);
    mainLog_.clear();
    targetLog_.clear();
  }

  void TearDown() override {
    if (release_) release_();
    if (library_) FreeLibrary(library_);
  }

  void configure(int32_t drawButton, uint8_t userEnable, uint8_t notSuspended) {
    HookSettings settings = {};
    settings.dragThreshold = kThreshold;
    settings.drawButton = drawButton;
    settings.userEnable = userEnable;
    settings.notSuspended = notSuspended;
    update_(&settings);
  }

  // Waits for the library's messages until the gesture end (or a timeout).
  void waitForGestureEnd() {
    PumpFor(3000, [] { return !mainLog_.empty() && mainLog_.back().message == WM_HOOK_GESTURE_END; });
    PumpFor(100);  // anything that should not come would come now
  }

  // Waits until the target window got a release of the button.
  bool waitForClickOnTarget(const Button& button) {
    PumpFor(3000, [&] { return countOnTarget(button.upMessage) > 0; });
    PumpFor(100);
    return countOnTarget(button.downMessage) == 1 && countOnTarget(button.upMessage) == 1;
  }

  static size_t countOnTarget(UINT message) {
    size_t count = 0;
    for (const Message& m : targetLog_) count += m.message == message;
    return count;
  }

  static size_t countHook(UINT message) {
    size_t count = 0;
    for (const Message& m : mainLog_) count += m.message == message;
    return count;
  }

  static POINT Inside(int dx, int dy) { return {kTargetPlace.left + 100 + dx, kTargetPlace.top + 100 + dy}; }

  static HWND mainWindow_;
  static HWND target_;
  static std::vector<Message> mainLog_;
  static std::vector<Message> targetLog_;
  HMODULE library_ = nullptr;
  UpdateSettingsFn update_ = nullptr;
  ReleaseHooksFn release_ = nullptr;
};

HWND HookDllTest::mainWindow_ = nullptr;
HWND HookDllTest::target_ = nullptr;
std::vector<Message> HookDllTest::mainLog_;
std::vector<Message> HookDllTest::targetLog_;

TEST_F(HookDllTest, DragWithTheDrawingButtonIsReportedInOrderAndSwallowed) {
  struct Case {
    const char* name;
    Button button;
  };
  for (const Case& c : {Case{"right", kRight}, Case{"left", kLeft}, Case{"middle", kMiddle}}) {
    SCOPED_TRACE(c.name);
    mainLog_.clear();
    targetLog_.clear();
    configure(c.button.setting, 1, 1);
    const POINT press = Inside(0, 0), nearby = Inside(3, 4), first = Inside(20, 0), second = Inside(40, 15),
                last = Inside(60, 30);
    Drag(c.button, {press, nearby, first, second, last});
    waitForGestureEnd();

    const std::vector<Message> expected = {
        Hook(WM_HOOK_ARM, press),           Hook(WM_HOOK_STROKE_BEGIN, press),
        Hook(WM_HOOK_STROKE_POINT, first),  Hook(WM_HOOK_STROKE_POINT, second),
        Hook(WM_HOOK_STROKE_POINT, last),   Hook(WM_HOOK_GESTURE_END, last)};
    EXPECT_EQ(mainLog_, expected);
    EXPECT_EQ(countOnTarget(c.button.downMessage), 0u);
    EXPECT_EQ(countOnTarget(c.button.upMessage), 0u);
  }
}

TEST_F(HookDllTest, ShortPressReachesTheWindowUnderThePointerAsANormalClick) {
  for (const Button& button : {kRight, kLeft, kMiddle}) {
    SCOPED_TRACE(button.setting);
    mainLog_.clear();
    targetLog_.clear();
    configure(button.setting, 1, 1);
    const POINT press = Inside(10, 10);
    Drag(button, {press, Inside(14, 13), Inside(15, 14)});  // 6.4 px: within the threshold
    EXPECT_TRUE(waitForClickOnTarget(button));

    EXPECT_EQ(mainLog_, std::vector<Message>{Hook(WM_HOOK_ARM, press)});
    ASSERT_EQ(targetLog_.size(), 2u);
    EXPECT_EQ(targetLog_[0].message, button.downMessage);
    EXPECT_EQ(targetLog_[0].lParam, MAKELPARAM(press.x - kTargetPlace.left, press.y - kTargetPlace.top));
  }
}

TEST_F(HookDllTest, OtherButtonsPassUntouched) {
  configure(kLeft.setting, 1, 1);
  Drag(kRight, {Inside(0, 0), Inside(50, 0), Inside(80, 0)});
  EXPECT_TRUE(waitForClickOnTarget(kRight));
  EXPECT_TRUE(mainLog_.empty());
}

TEST_F(HookDllTest, InputMarkedWithTheSignaturePassesUntouched) {
  configure(kRight.setting, 1, 1);
  const POINT from = Inside(0, 0), to = Inside(60, 0);
  SetCursorPos(from.x, from.y);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, from, ZAVOTRA_INPUT_SIGNATURE);
  SendMouse(MOUSEEVENTF_MOVE, to, ZAVOTRA_INPUT_SIGNATURE);
  SendMouse(MOUSEEVENTF_RIGHTUP, to, ZAVOTRA_INPUT_SIGNATURE);
  EXPECT_TRUE(waitForClickOnTarget(kRight));
  EXPECT_TRUE(mainLog_.empty());
}

TEST_F(HookDllTest, NothingIsCapturedWhileEitherFlagIsOff) {
  struct Case {
    uint8_t userEnable;
    uint8_t notSuspended;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 0}, Case{0, 0}}) {
    SCOPED_TRACE(testing::Message() << int(c.userEnable) << int(c.notSuspended));
    mainLog_.clear();
    targetLog_.clear();
    configure(kRight.setting, 1, 1);  // hooks in place
    configure(kRight.setting, c.userEnable, c.notSuspended);
    Drag(kRight, {Inside(0, 0), Inside(50, 0), Inside(80, 20)});
    EXPECT_TRUE(waitForClickOnTarget(kRight));
    EXPECT_TRUE(mainLog_.empty());
  }
}

TEST_F(HookDllTest, CaptureComesBackWhenTheFlagsDo) {
  configure(kRight.setting, 1, 1);
  configure(kRight.setting, 1, 0);
  configure(kRight.setting, 1, 1);
  Drag(kRight, {Inside(0, 0), Inside(50, 0)});
  waitForGestureEnd();
  EXPECT_EQ(countHook(WM_HOOK_STROKE_BEGIN), 1u);
  EXPECT_EQ(countHook(WM_HOOK_GESTURE_END), 1u);
}

TEST_F(HookDllTest, CaptureSwitchedOffBeforeADragStillGivesTheClick) {
  configure(kRight.setting, 1, 1);
  const POINT press = Inside(5, 5);
  SetCursorPos(press.x, press.y);
  Press(kRight, press);
  PumpFor(3000, [] { return !mainLog_.empty(); });
  configure(kRight.setting, 0, 1);
  MoveTo(Inside(60, 5));  // no stroke while capture is off
  Release(kRight, Inside(60, 5));
  EXPECT_TRUE(waitForClickOnTarget(kRight));
  ASSERT_EQ(targetLog_.size(), 2u);
  EXPECT_EQ(targetLog_[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
  EXPECT_EQ(targetLog_[1].message, static_cast<UINT>(WM_RBUTTONUP));
  EXPECT_EQ(mainLog_, std::vector<Message>{Hook(WM_HOOK_ARM, press)});
}

TEST_F(HookDllTest, CaptureSwitchedOffWhileDrawingCancelsTheGesture) {
  configure(kRight.setting, 1, 1);
  const POINT press = Inside(0, 0), drawn = Inside(40, 0);
  SetCursorPos(press.x, press.y);
  Press(kRight, press);
  MoveTo(drawn);
  PumpFor(3000, [] { return mainLog_.size() >= 3; });
  configure(kRight.setting, 1, 0);  // what the program does around its own Ctrl+V
  MoveTo(Inside(60, 0));
  Release(kRight, Inside(60, 0));
  PumpFor(3000, [] { return countHook(WM_HOOK_GESTURE_CANCEL) > 0; });
  PumpFor(200);
  // The gesture is given up as soon as capture is off; the later move is not
  // drawn. (While we waited, Wine may have moved the pointer back to where the
  // real X pointer is, the press point, and that move is part of the stroke.)
  ASSERT_GE(mainLog_.size(), 4u);
  const std::vector<Message> begun = {Hook(WM_HOOK_ARM, press), Hook(WM_HOOK_STROKE_BEGIN, press),
                                      Hook(WM_HOOK_STROKE_POINT, drawn)};
  EXPECT_EQ(std::vector<Message>(mainLog_.begin(), mainLog_.begin() + 3), begun);
  EXPECT_EQ(mainLog_.back().message, static_cast<UINT>(WM_HOOK_GESTURE_CANCEL));
  EXPECT_EQ(countHook(WM_HOOK_GESTURE_CANCEL), 1u);
  EXPECT_EQ(countHook(WM_HOOK_GESTURE_END), 0u);
  for (const Message& m : mainLog_) EXPECT_NE(m.lParam, MAKELPARAM(Inside(60, 0).x, Inside(60, 0).y));
  EXPECT_TRUE(targetLog_.empty());  // the window never saw the press, so not the release either
}

TEST_F(HookDllTest, LostReleaseEndsTheStrokeAtOnceAndTheNextClickArrivesWhole) {
  configure(kRight.setting, 1, 1);
  const POINT press = Inside(0, 0), drawn = Inside(40, 0), released = Inside(80, 0);
  {
    FirstHook elevated(FirstHook::Hide::NextRightRelease);
    SetCursorPos(press.x, press.y);
    Press(kRight, press);
    MoveTo(drawn);
    MoveTo(released);
    Release(kRight, released);  // never reaches the library's hook
    PumpFor(3000, [] { return FirstHook::hidden() == 1; });
    PumpFor(200);
  }
  MoveTo(Inside(100, 40));  // pen up: not drawn any more
  MoveTo(Inside(120, 80));
  PumpFor(3000, [] { return countHook(WM_HOOK_GESTURE_CANCEL) > 0; });
  const std::vector<Message> stroke = {Hook(WM_HOOK_ARM, press), Hook(WM_HOOK_STROKE_BEGIN, press),
                                       Hook(WM_HOOK_STROKE_POINT, drawn), Hook(WM_HOOK_STROKE_POINT, released),
                                       Hook(WM_HOOK_GESTURE_CANCEL, released)};
  EXPECT_EQ(mainLog_, stroke);

  // A new right click: the window under the pointer gets both halves.
  mainLog_.clear();
  const POINT click = Inside(120, 80);
  SetCursorPos(click.x, click.y);
  Press(kRight, click);
  Release(kRight, click);
  EXPECT_TRUE(waitForClickOnTarget(kRight));
  EXPECT_EQ(mainLog_, std::vector<Message>{Hook(WM_HOOK_ARM, click)});
  ASSERT_EQ(targetLog_.size(), 2u);
  EXPECT_EQ(targetLog_[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
}

TEST_F(HookDllTest, EscapeWhileDrawingCancelsAndNeitherHalfOfItReachesTheWindow) {
  configure(kRight.setting, 1, 1);
  SetForegroundWindow(target_);
  const POINT press = Inside(0, 0), drawn = Inside(40, 0);
  SetCursorPos(press.x, press.y);
  Press(kRight, press);
  MoveTo(drawn);
  SendKey(VK_ESCAPE, true);
  SendKey(VK_ESCAPE, false);
  MoveTo(Inside(60, 0));
  Release(kRight, Inside(60, 0));
  PumpFor(3000, [] { return countHook(WM_HOOK_GESTURE_CANCEL) > 0; });
  PumpFor(200);
  const std::vector<Message> expected = {Hook(WM_HOOK_ARM, press), Hook(WM_HOOK_STROKE_BEGIN, press),
                                         Hook(WM_HOOK_STROKE_POINT, drawn), Hook(WM_HOOK_GESTURE_CANCEL, drawn)};
  EXPECT_EQ(mainLog_, expected);
  EXPECT_TRUE(targetLog_.empty());  // no Esc, no button

  // Without a gesture Esc is the window's own.
  SendKey(VK_ESCAPE, true);
  SendKey(VK_ESCAPE, false);
  PumpFor(3000, [] { return countOnTarget(WM_KEYUP) > 0; });
  EXPECT_EQ(countOnTarget(WM_KEYDOWN), 1u);
  EXPECT_EQ(countOnTarget(WM_KEYUP), 1u);
}

TEST_F(HookDllTest, HooksGoInAgainWhenTheSessionIsUnlockedOrTheSystemResumes) {
  configure(kRight.setting, 1, 1);
  HWND watch = FindWindowA(ZAVOTRA_HOOK_WATCH_CLASS, nullptr);
  ASSERT_NE(watch, nullptr);
  struct Case {
    const char* name;
    UINT message;
    WPARAM event;
  };
  const Case cases[] = {{"unlock", WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK},
                        {"reconnect", WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT},
                        {"resume", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FirstHook dropped(FirstHook::Hide::Everything);  // the library's hook as good as gone
    mainLog_.clear();
    Drag(kRight, {Inside(0, 0), Inside(50, 0)});
    PumpFor(300);
    ASSERT_TRUE(mainLog_.empty());
    SendMessageA(watch, c.message, c.event, 0);
    Drag(kRight, {Inside(0, 0), Inside(50, 0)});
    waitForGestureEnd();
    EXPECT_EQ(countHook(WM_HOOK_STROKE_BEGIN), 1u);
    EXPECT_EQ(countHook(WM_HOOK_GESTURE_END), 1u);
  }
}

TEST_F(HookDllTest, NothingIsCapturedAfterReleaseHooks) {
  configure(kRight.setting, 1, 1);
  release_();
  configure(kRight.setting, 1, 1);  // a late update does not bring the hooks back
  Drag(kRight, {Inside(0, 0), Inside(50, 0), Inside(80, 20)});
  EXPECT_TRUE(waitForClickOnTarget(kRight));
  EXPECT_TRUE(mainLog_.empty());
}

TEST_F(HookDllTest, CtrlTapAsksToSwitchCaptureAndCombinationsDoNot) {
  configure(kRight.setting, 1, 1);
  SendKey(VK_CONTROL, true);
  SendKey('A', true);
  SendKey('A', false);
  SendKey(VK_CONTROL, false);  // Ctrl+A: nothing
  SendKey(VK_CONTROL, true);
  SendKey(VK_CONTROL, false);  // tap while enabled: switch off
  PumpFor(3000, [] { return !mainLog_.empty(); });
  PumpFor(100);
  EXPECT_EQ(mainLog_, (std::vector<Message>{{WM_HOOK_ENABLE, 0, 0}}));

  mainLog_.clear();
  configure(kRight.setting, 0, 1);  // what the program answers
  SendKey(VK_CONTROL, true);
  SendKey(VK_CONTROL, false);  // tap while switched off by the user: switch on
  PumpFor(3000, [] { return !mainLog_.empty(); });
  EXPECT_EQ(mainLog_, (std::vector<Message>{{WM_HOOK_ENABLE, 1, 0}}));

  mainLog_.clear();
  configure(kRight.setting, 1, 0);  // the program's own Ctrl+C: ignored
  SendKey(VK_CONTROL, true);
  SendKey(VK_CONTROL, false);
  PumpFor(300);
  EXPECT_TRUE(mainLog_.empty());
}

TEST_F(HookDllTest, ShiftHeldAtReleaseMakesATwoStrokeGesture) {
  configure(kRight.setting, 1, 1);
  const POINT a0 = Inside(0, 0), a1 = Inside(30, 0), a2 = Inside(60, 0);
  const POINT b0 = Inside(0, 50), b1 = Inside(30, 60), b2 = Inside(60, 70);
  SetCursorPos(a0.x, a0.y);
  Press(kRight, a0);
  MoveTo(a1);
  MoveTo(a2);
  SendKey(VK_SHIFT, true);
  Release(kRight, a2);
  MoveTo(b0);  // pen up: not part of any stroke
  Press(kRight, b0);
  MoveTo(b1);
  MoveTo(b2);
  SendKey(VK_SHIFT, false);  // still drawing: the stroke goes on
  Release(kRight, b2);
  waitForGestureEnd();

  const std::vector<Message> expected = {
      Hook(WM_HOOK_ARM, a0),          Hook(WM_HOOK_STROKE_BEGIN, a0), Hook(WM_HOOK_STROKE_POINT, a1),
      Hook(WM_HOOK_STROKE_POINT, a2), Hook(WM_HOOK_STROKE_BEGIN, b0), Hook(WM_HOOK_STROKE_POINT, b1),
      Hook(WM_HOOK_STROKE_POINT, b2), Hook(WM_HOOK_GESTURE_END, b2)};
  EXPECT_EQ(mainLog_, expected);
  for (const Message& m : targetLog_) EXPECT_TRUE(m.message == WM_KEYDOWN || m.message == WM_KEYUP) << m;  // Shift only
}

TEST_F(HookDllTest, MainWindowIsFoundAgainAfterItWasRecreated) {
  configure(kRight.setting, 1, 1);
  Drag(kRight, {Inside(0, 0), Inside(50, 0)});
  waitForGestureEnd();
  DestroyWindow(mainWindow_);
  mainWindow_ = CreateRecordingWindow(ZAVOTRA_WINDOW_CLASS, WS_POPUP, {0, 0, 10, 10}, &mainLog_);
  mainLog_.clear();
  Drag(kRight, {Inside(0, 0), Inside(50, 0)});
  waitForGestureEnd();
  EXPECT_EQ(countHook(WM_HOOK_GESTURE_END), 1u);
}

TEST_F(HookDllTest, MainWindowMadeAfterTheHooksIsFoundOutsideTheCallbacks) {
  DestroyWindow(mainWindow_);
  configure(kRight.setting, 1, 1);
  Drag(kRight, {Inside(0, 0), Inside(50, 0)});
  EXPECT_TRUE(waitForClickOnTarget(kRight));  // nobody to draw for: the drag is the window's
  mainWindow_ = CreateRecordingWindow(ZAVOTRA_WINDOW_CLASS, WS_POPUP, {0, 0, 10, 10}, &mainLog_);
  PumpFor(1500);  // the library looks again about once a second
  mainLog_.clear();
  Drag(kRight, {Inside(0, 0), Inside(50, 0)});
  waitForGestureEnd();
  EXPECT_EQ(countHook(WM_HOOK_GESTURE_END), 1u);
}

}  // namespace

