// Synthetic keystrokes reaching a real window in the foreground: hotkey and
// menu commands, typing, copy and paste, and waiting for the modifiers.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "actions/command_hotkey.h"
#include "actions/command_menu.h"
#include "actions/keystrokes.h"
#include "common/app_context.h"

namespace {

constexpr UINT kOpenItem = 101;
constexpr UINT kSaveItem = 102;

std::string KeyName(WPARAM key) {
  switch (key) {
    case VK_CONTROL: return "Ctrl";
    case VK_SHIFT: return "Shift";
    case VK_MENU: return "Alt";
    case VK_RETURN: return "Return";
    default:
      if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return std::string(1, char(key));
      }
      return "vk" + std::to_string(key);
  }
}

// A visible top-level window that notes every key going down or up, the
// characters it receives and the commands its menu sends.
class KeyWindow {
 public:
  explicit KeyWindow(bool withMenu = false) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZavotraTestKeys";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
    HMENU menuBar = nullptr;
    if (withMenu) {
      menuBar = CreateMenu();
      HMENU file = CreatePopupMenu();
      AppendMenuA(file, MF_STRING, kOpenItem, "&Open");
      AppendMenuA(file, MF_STRING, kSaveItem, "&Save");
      AppendMenuA(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    }
    handle_ = CreateWindowExA(0, "ZavotraTestKeys", "keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                              50, 400, 300, nullptr, menuBar, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    passSystemKeys_ = withMenu;
  }
  ~KeyWindow() { DestroyWindow(handle_); }  // destroys the menu bar with it

  HWND handle() const { return handle_; }
  bool bringToFront() {
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    SetFocus(handle_);
    Pump(50);
    return GetForegroundWindow() == handle_;
  }

  std::vector<std::string> keys;
  std::string characters;
  std::vector<UINT> commands;

  static void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    do {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<KeyWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        self->keys.push_back("down " + KeyName(wParam));
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        self->keys.push_back("up " + KeyName(wParam));
        break;
      case WM_CHAR:
        self->characters += char(wParam);
        return 0;
      case WM_COMMAND:
        self->commands.push_back(LOWORD(wParam));
        return 0;
    }
    // Without a menu, Alt combinations must not start the system menu loop.
    bool systemKey = message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
    if (systemKey && !self->passSystemKeys_) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND handle_ = nullptr;
  bool passSystemKeys_ = false;
};

// Runs `work` on a worker thread, as actions run, while this thread pumps
// the window's messages; then lets the last input arrive.
template <class Work>
void RunWhilePumping(Work work, const std::function<void()>& onPump = {}) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    work();
    done = true;
  });
  while (!done) {
    KeyWindow::Pump(5);
    if (onPump) onPump();
  }
  worker.join();
  KeyWindow::Pump(150);
}

double ElapsedMs(std::chrono::steady_clock::time_point start) {
  using Ms = std::chrono::duration<double, std::milli>;
  return Ms(std::chrono::steady_clock::now() - start).count();
}

class Keystrokes : public ::testing::Test {
 protected:
  void SetUp() override {
    // Nothing may be held from a test before.
    for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_MENU}) ReleaseKey(key);
  }
};

TEST_F(Keystrokes, HotkeyPressesInSlotOrderAndReleasesInTheSameOrder) {
  struct Case {
    const char* label;
    int repeat;
    ZCommandHotkey::Keys keys;
    std::vector<std::string> expected;
    double atLeastMs;
  } cases[] = {
      {"Ctrl+Shift+S", 1, {1, 2, 57, 0},
       {"down Ctrl", "down Shift", "down S", "up Ctrl", "up Shift", "up S"}, 160},
      {"three times Ctrl+C", 3, {1, 41, 0, 0},
       {"down Ctrl", "down C", "up Ctrl", "up C", "down Ctrl", "down C", "up Ctrl", "up C",
        "down Ctrl", "down C", "up Ctrl", "up C"}, 320},
      {"ends at the first empty slot", 1, {1, 0, 39, 0}, {"down Ctrl", "up Ctrl"}, 160},
      {"no keys", 1, {0, 0, 0, 0}, {}, 160},
      {"repeat 0", 0, {1, 2, 57, 0}, {}, 80},
      {"negative repeat", -2, {1, 2, 57, 0}, {}, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    KeyWindow window;
    ASSERT_TRUE(window.bringToFront());
    ZCommandHotkey command;
    command.setRepeat(c.repeat);
    command.setKeys(c.keys);
    bool result = false;
    double elapsed = 0;
    RunWhilePumping([&] {
      auto start = std::chrono::steady_clock::now();
      result = command.execute();
      elapsed = ElapsedMs(start);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(window.keys, c.expected);
    EXPECT_GE(elapsed, c.atLeastMs - 1);
  }
}

TEST_F(Keystrokes, TypingAnUpperCaseLetterReleasesShiftBeforeTheLetter) {
  KeyWindow window;
  ASSERT_TRUE(window.bringToFront());
  bool result = false;
  RunWhilePumping([&] { result = TypeText(L"A"); });
  EXPECT_TRUE(result);
  EXPECT_EQ(window.keys, (std::vector<std::string>{"down Shift", "down A", "up Shift", "up A"}));
  EXPECT_EQ(window.characters, "A");
}

TEST_F(Keystrokes, CarriageReturnWithLineFeedIsOneReturn) {
  KeyWindow window;
  ASSERT_TRUE(window.bringToFront());
  bool result = false;
  RunWhilePumping([&] { result = TypeText(L"a\r\nb\rc"); });
  EXPECT_TRUE(result);
  // A lone carriage return is a Return too, and nothing after it is lost.
  EXPECT_EQ(window.keys, (std::vector<std::string>{"down A", "up A", "down Return", "up Return",
                                                   "down B", "up B", "down Return", "up Return",
                                                   "down C", "up C"}));
  EXPECT_EQ(window.characters, "a\rb\rc");
}

TEST_F(Keystrokes, CharactersTheLayoutCannotProduceAreSkipped) {
  KeyWindow window;
  ASSERT_TRUE(window.bringToFront());
  // U+00A4 (currency sign) exists in code page 1252 but on no key of the US layout.
  ASSERT_EQ(VkKeyScanA('\xA4'), -1);
  bool result = false;
  RunWhilePumping([&] { result = TypeText(L"x\u00A4y"); });
  EXPECT_TRUE(result);
  EXPECT_EQ(window.characters, "xy");
  for (const std::string& key : window.keys) EXPECT_EQ(key.find("vk255"), std::string::npos);
}

TEST_F(Keystrokes, TypingStopsWhenTheForegroundWindowChanges) {
  KeyWindow first;
  KeyWindow second;
  ASSERT_TRUE(first.bringToFront());
  const std::wstring text(40, L'k');
  bool result = true;
  RunWhilePumping([&] { result = TypeText(text); },
                  [&] {
                    if (first.characters.size() >= 3 && GetForegroundWindow() == first.handle())
                      second.bringToFront();
                  });
  EXPECT_FALSE(result);
  EXPECT_GE(first.characters.size(), 3u);
  EXPECT_LT(first.characters.size() + second.characters.size(), text.size());
}

TEST_F(Keystrokes, MenuCommandOpensTheMenuAndChoosesTheItem) {
  KeyWindow window(true);
  ASSERT_TRUE(window.bringToFront());
  ZCommandMenu command;
  command.setPath("FS");
  bool result = false;
  RunWhilePumping([&] { result = command.execute(); });
  EXPECT_TRUE(result);
  EXPECT_EQ(window.commands, (std::vector<UINT>{kSaveItem}));
}

TEST_F(Keystrokes, MenuCommandHoldsAltAndSendsCharactersWithoutShift) {
  KeyWindow window;
  ASSERT_TRUE(window.bringToFront());
  ZCommandMenu command;
  command.setPath("fS?");
  RunWhilePumping([&] { command.execute(); });
  std::string slash = "vk" + std::to_string(LOBYTE(VkKeyScanA('?')));
  EXPECT_EQ(window.keys, (std::vector<std::string>{"down Alt", "down F", "up F", "down S", "up S",
                                                   "down " + slash, "up " + slash, "up Alt"}));
}

TEST_F(Keystrokes, EmptyMenuPathPressesAndReleasesAlt) {
  KeyWindow window;
  ASSERT_TRUE(window.bringToFront());
  ZCommandMenu command;
  RunWhilePumping([&] { command.execute(); });
  EXPECT_EQ(window.keys, (std::vector<std::string>{"down Alt", "up Alt"}));
}

TEST_F(Keystrokes, WaitingForTheModifiersGivesUpOnAKeyThatStaysDown) {
  PressKey(VK_SHIFT);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(WaitForModifiers(300));
  EXPECT_GE(ElapsedMs(start), 299);
  ReleaseKey(VK_SHIFT);
  EXPECT_TRUE(WaitForModifiers(300));

  // A modifier let go while waiting ends the wait.
  PressKey(VK_CONTROL);
  std::thread releaser([] {
    Sleep(100);
    ReleaseKey(VK_CONTROL);
  });
  start = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitForModifiers(3000));
  EXPECT_GE(ElapsedMs(start), 50);
  releaser.join();
}

// Notes each switch of the capture and whether Ctrl was down at that moment.
class RecordingCapture : public CaptureSwitch {
 public:
  void setNotSuspended(bool on, bool showStatus) override {
    calls.push_back(std::string(on ? "on" : "off") + (showStatus ? " shown" : "") +
                    ((GetAsyncKeyState(VK_CONTROL) & 0x8000) ? " ctrl down" : ""));
  }
  std::vector<std::string> calls;
};

TEST_F(Keystrokes, CopyAndPasteSuspendTheCaptureAroundTheirKeys) {
  struct Case {
    bool (*action)();
    const char* letter;
  } cases[] = {{Copy, "C"}, {Paste, "V"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.letter);
    KeyWindow window;
    ASSERT_TRUE(window.bringToFront());
    RecordingCapture capture;
    SetActiveCaptureSwitch(&capture);
    RunWhilePumping([&] { c.action(); });
    SetActiveCaptureSwitch(nullptr);
    std::string letter = c.letter;
    EXPECT_EQ(window.keys, (std::vector<std::string>{"down Ctrl", "down " + letter, "up " + letter,
                                                     "up Ctrl"}));
    EXPECT_EQ(capture.calls, (std::vector<std::string>{"off", "on"}));
  }
}

TEST_F(Keystrokes, PasteWithoutCaptureStillPastes) {
  SetActiveCaptureSwitch(nullptr);
  KeyWindow window;
  ASSERT_TRUE(window.bringToFront());
  RunWhilePumping([] { Paste(); });
  EXPECT_EQ(window.keys, (std::vector<std::string>{"down Ctrl", "down V", "up V", "up Ctrl"}));
}

}  // namespace
