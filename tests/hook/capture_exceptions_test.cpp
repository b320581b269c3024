// The hook library's copy of where capture is off: a record whose texts run
// short gives the rules it holds whole and no more, and the program's own
// windows and the desktop never turn capture off.
#include "hook/capture_exceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {
HookCaptureExceptions Record(const std::string& texts, uint32_t count, uint32_t flags = 0) {
  HookCaptureExceptions record = {};
  record.flags = flags;
  record.count = count;
  record.texts = texts.data();
  record.textsSize = static_cast<uint32_t>(texts.size());
  return record;
}
}  // namespace

TEST(CaptureExceptions, TakesOnlyThePairsTheRecordHoldsWhole) {
  using Rules = std::vector<ZWindowRule>;
  struct Case {
    std::string texts;
    uint32_t count;
    Rules expected;
  };
  const Case cases[] = {
      {std::string("A\0a\0B\0b\0", 8), 2, Rules{{"A", "a"}, {"B", "b"}}},
      {std::string("A\0a\0B\0b\0", 8), 9, Rules{{"A", "a"}, {"B", "b"}}},  // claims more than it holds
      {std::string("A\0a\0B\0b\0", 8), 1, Rules{{"A", "a"}}},
      {std::string("A\0a\0B\0b", 7), 2, Rules{{"A", "a"}}},                 // the last caption unterminated
      {std::string("A\0a\0B\0", 6), 2, Rules{{"A", "a"}}},                  // a class without its caption
      {std::string("\0\0", 2), 1, Rules{{"", ""}}},
      {std::string(), 3, Rules{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    const CaptureExceptions exceptions = CaptureExceptions::FromRecord(Record(c.texts, c.count));
    EXPECT_EQ(exceptions.rules(), c.expected);
    EXPECT_FALSE(exceptions.pausesInFullScreen());
  }
  HookCaptureExceptions none = {};
  none.flags = HOOK_PAUSE_IN_FULL_SCREEN;
  none.count = 4;  // and no texts at all
  const CaptureExceptions paused = CaptureExceptions::FromRecord(none);
  EXPECT_TRUE(paused.rules().empty());
  EXPECT_TRUE(paused.pausesInFullScreen());
  EXPECT_FALSE(paused.empty());
}

TEST(CaptureExceptions, TheHostsOwnWindowsAndTheDesktopKeepCapture) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ZvOwnFullScreen";
  RegisterClassA(&wc);
  HWND own = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Own", WS_POPUP | WS_VISIBLE, 0, 0,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                             wc.hInstance, nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(IsFullScreenWindow(own));
  const std::string texts("ZvOwnFullScreen\0Own\0", 20);
  for (uint32_t flags : {0u, HOOK_PAUSE_IN_FULL_SCREEN}) {
    const CaptureExceptions exceptions = CaptureExceptions::FromRecord(Record(texts, flags ? 0 : 1, flags));
    EXPECT_EQ(exceptions.reasonAt(POINT{50, 50}), 0u) << flags;
  }
  EXPECT_EQ(CaptureExceptions().reasonAt(POINT{50, 50}), 0u);
  DestroyWindow(own);
  EXPECT_TRUE(IsDesktopOrShellWindow(GetDesktopWindow(), "#32769"));
  EXPECT_TRUE(IsDesktopOrShellWindow(nullptr, "Progman"));
}
