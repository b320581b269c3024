// HookLibrary with the real Zavotra.dll beside the test, with none at all, and
// with a library of that name that exports nothing. The message boxes of a
// failed load are read and closed by a watcher thread, as a user would.
#include "gesture/hook_library.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/tray_icon.h"
#include "resources/zavotra_ids.h"

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x0440;  // the icon's static control in Wine's message box

struct SeenBox {
  std::string caption;
  std::string text;
  HICON icon;
};

std::string WindowText(HWND window) {
  char buffer[1024] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

// Closes every message box of this process with OK and notes what it said,
// until stopped.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() : thread_([this] { run(); }) {}
  ~MessageBoxWatcher() { stop(); }

  std::vector<SeenBox> stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  void run() {
    while (!stop_) {
      EnumWindows(&MessageBoxWatcher::visit, reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }

  static BOOL CALLBACK visit(HWND window, LPARAM self) {
    auto* watcher = reinterpret_cast<MessageBoxWatcher*>(self);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (process != GetCurrentProcessId() || std::string(className) != "#32770" || !IsWindowVisible(window))
      return TRUE;
    for (HWND closed : watcher->closed_)
      if (closed == window) return TRUE;
    char text[1024] = {};
    GetDlgItemTextA(window, kMessageBoxTextId, text, sizeof text);
    HWND iconControl = GetDlgItem(window, kMessageBoxIconId);
    HICON icon = iconControl && IsWindowVisible(iconControl)
                     ? reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0))
                     : nullptr;
    watcher->seen_.push_back({WindowText(window), text, icon});
    watcher->closed_.push_back(window);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
  }

  std::atomic<bool> stop_{false};
  std::vector<SeenBox> seen_;
  std::vector<HWND> closed_;
  std::thread thread_;
};

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string SystemText(DWORD error) {
  char buffer[1024] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                 MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
  std::string text(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

const char kEnabledText[] = "Zavotra - Use CTRL key to disable";
const char kDisabledText[] = "Zavotra (disabled)";

struct Loaded {
  std::unique_ptr<HookLibrary> library;
  std::vector<SeenBox> boxes;
};

Loaded LoadWatching(const std::string& folder) {
  MessageBoxWatcher watcher;
  Loaded result;
  result.library = std::make_unique<HookLibrary>(folder);
  result.boxes = watcher.stop();
  return result;
}

// The status is what the tray icon shows: its icon resource and its tip.
void ExpectStatus(int iconId, const std::string& text) {
  EXPECT_EQ(TrayIcon().iconId(), iconId);
  EXPECT_EQ(TrayIcon().tip(), text);
}

TEST(HookLibraryTest, MissingLibraryTellsTheUserTwiceAndLeavesCaptureOff) {
  TrayIcon().show(0, "");
  const std::string folder = ExeFolder() + "no such folder";  // no trailing backslash: one is added
  Loaded loaded = LoadWatching(folder);
  HookLibrary& library = *loaded.library;

  EXPECT_FALSE(library.loaded());
  EXPECT_EQ(library.path(), folder + "\\Zavotra.dll");
  ASSERT_EQ(loaded.boxes.size(), 2u);
  EXPECT_EQ(loaded.boxes[0].caption, "Zavotra");
  EXPECT_EQ(loaded.boxes[0].text, SystemText(ERROR_MOD_NOT_FOUND));
  EXPECT_FALSE(loaded.boxes[0].text.empty());
  EXPECT_EQ(loaded.boxes[0].icon, nullptr);
  EXPECT_EQ(loaded.boxes[1].caption, library.path());
  EXPECT_EQ(loaded.boxes[1].text,
            "Couldn't find the 'Zavotra.dll' file, it should be in the \\Zavotra\\System folder.");
  EXPECT_EQ(loaded.boxes[1].icon, LoadIcon(nullptr, IDI_WARNING));
  ExpectStatus(IDI_CAPTURE_DISABLED, kDisabledText);

  library.sendSettings(8, -1, 0);
  library.setBoth(true, true);
  EXPECT_EQ(library.settings().userEnable, 0);
  EXPECT_EQ(library.settings().notSuspended, 0);
  EXPECT_FALSE(library.isEnabled());
  ExpectStatus(IDI_CAPTURE_DISABLED, kDisabledText);
  EXPECT_EQ(ActiveCaptureSwitch(), &library);
}

TEST(HookLibraryTest, LoadedLibrarySwitchesCaptureOnAndShowsIt) {
  Loaded loaded = LoadWatching(ExeFolder());
  HookLibrary& library = *loaded.library;
  EXPECT_TRUE(loaded.boxes.empty());
  ASSERT_TRUE(library.loaded());
  EXPECT_FALSE(library.isEnabled());  // both bytes start cleared

  library.sendSettings(12, 1, 3);
  library.setBoth(true, true);
  const HookSettings settings = library.settings();
  EXPECT_EQ(settings.dragThreshold, 12);
  EXPECT_EQ(settings.drawButton, 1);
  EXPECT_EQ(settings.deviceType, 3);
  EXPECT_EQ(settings.userEnable, 1);
  EXPECT_EQ(settings.notSuspended, 1);
  EXPECT_TRUE(library.isEnabled());
  ExpectStatus(IDI_CAPTURE_ENABLED, kEnabledText);
}

TEST(HookLibraryTest, FlagsChangeTheStatusOnlyWhenAsked) {
  Loaded loaded = LoadWatching(ExeFolder());
  HookLibrary& library = *loaded.library;
  library.setBoth(true, true);
  ASSERT_EQ(ActiveCaptureSwitch(), &library);

  ActiveCaptureSwitch()->setNotSuspended(false, false);  // what synthetic Ctrl+C does
  EXPECT_FALSE(library.isEnabled());
  EXPECT_EQ(library.settings().userEnable, 1);
  ExpectStatus(IDI_CAPTURE_ENABLED, kEnabledText);
  ActiveCaptureSwitch()->setNotSuspended(true, false);
  EXPECT_TRUE(library.isEnabled());

  library.setNotSuspended(false, true);
  ExpectStatus(IDI_CAPTURE_DISABLED, kDisabledText);
  library.setNotSuspended(true, true);
  ExpectStatus(IDI_CAPTURE_ENABLED, kEnabledText);

  library.setUserEnable(false, true);
  EXPECT_FALSE(library.isEnabled());
  EXPECT_EQ(library.settings().notSuspended, 1);
  ExpectStatus(IDI_CAPTURE_DISABLED, kDisabledText);
  library.setUserEnable(true, false);
  ExpectStatus(IDI_CAPTURE_DISABLED, kDisabledText);  // not asked to show it
  library.showCaptureStatus();
  ExpectStatus(IDI_CAPTURE_ENABLED, kEnabledText);

  library.setBoth(false, true);
  ExpectStatus(IDI_CAPTURE_DISABLED, kDisabledText);
  EXPECT_EQ(library.settings().userEnable, 0);
  EXPECT_EQ(library.settings().notSuspended, 0);
}

TEST(HookLibraryTest, LibraryWithoutTheExportsKeepsTheFlagsAndUnloadsQuietly) {
  Loaded loaded = LoadWatching(ExeFolder() + "noexports\\");
  HookLibrary& library = *loaded.library;
  EXPECT_TRUE(loaded.boxes.empty());
  EXPECT_TRUE(library.loaded());
  library.sendSettings(8, -1, 0);
  library.setBoth(true, true);
  EXPECT_TRUE(library.isEnabled());
  loaded.library.reset();
  EXPECT_EQ(GetModuleHandleA((ExeFolder() + "noexports\\Zavotra.dll").c_str()), nullptr);
}

// The main window's stand-in: records what the library posts.
std::vector<UINT> g_posted;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_HOOK_ENABLE && message <= WM_HOOK_GESTURE_END) g_posted.push_back(message);
  return DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds, UINT until) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (until && !g_posted.empty() && g_posted.back() == until) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void InjectRightDrag(POINT from, POINT to) {
  SetCursorPos(from.x, from.y);
  INPUT inputs[3] = {};
  const POINT points[3] = {from, to, to};
  const DWORD flags[3] = {MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MOVE, MOUSEEVENTF_RIGHTUP};
  for (int i = 0; i < 3; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dx = static_cast<LONG>((points[i].x * 65536LL + GetSystemMetrics(SM_CXSCREEN) - 1) /
                                        GetSystemMetrics(SM_CXSCREEN));
    inputs[i].mi.dy = static_cast<LONG>((points[i].y * 65536LL + GetSystemMetrics(SM_CYSCREEN) - 1) /
                                        GetSystemMetrics(SM_CYSCREEN));
    inputs[i].mi.dwFlags = flags[i] | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(3, inputs, sizeof(INPUT));
}

TEST(HookLibraryTest, TheLibraryActsOnTheFlagsAndIsReleasedWithTheObject) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RecordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = ZAVOTRA_WINDOW_CLASS;
  RegisterClassA(&wc);
  HWND mainWindow = CreateWindowA(ZAVOTRA_WINDOW_CLASS, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
  ASSERT_NE(mainWindow, nullptr);
  {
    Loaded loaded = LoadWatching(ExeFolder());
    HookLibrary& library = *loaded.library;
    library.sendSettings(8, -1, 0);
    library.setBoth(true, false);
    InjectRightDrag({300, 300}, {360, 300});
    Pump(3000, WM_HOOK_GESTURE_END);
    library.setNotSuspended(false, false);
    InjectRightDrag({300, 300}, {360, 300});
    library.setNotSuspended(true, false);
    InjectRightDrag({300, 300}, {360, 300});
    Pump(3000, WM_HOOK_GESTURE_END);
    Pump(100, 0);
    const std::vector<UINT> oneGesture = {WM_HOOK_ARM, WM_HOOK_STROKE_BEGIN, WM_HOOK_STROKE_POINT,
                                          WM_HOOK_GESTURE_END};
    std::vector<UINT> expected = oneGesture;
    expected.insert(expected.end(), oneGesture.begin(), oneGesture.end());
    EXPECT_EQ(g_posted, expected);
  }
  // ReleaseHooks ended the hook thread, which holds the library while it runs.
  EXPECT_EQ(GetModuleHandleA((ExeFolder() + "Zavotra.dll").c_str()), nullptr);
  EXPECT_EQ(ActiveCaptureSwitch(), nullptr);
  DestroyWindow(mainWindow);
}

}  // namespace
