// The road of a gesture on a 144 DPI screen (150 %), through the staged
// Zavotra.dll and the main window's capture handler: the trail lies under the
// injected points, the window under the press is the one found, and a click
// handed back lands where it was pressed. This program carries the manifest of
// Zavotra.exe and checks that it is the program's.
//
// Wine takes the screen's DPI from the LogPixels value when a process starts.
// Run without arguments of its own, this program sets the value, starts itself
// again to run the tests at 144 DPI, and puts the value back as soon as the
// child has read it, so that no other test starts at 144 DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "common/settings.h"
#include "common/window_tree.h"
#include "gesture/ink_trail.h"
#include "hook/hook_protocol.h"
#include "plugins/plugin_manager.h"
#include "shell/capture_messages.h"
#include "tests/support/injected_input.h"

#ifndef ZAVOTRA_STAGED_EXE
#error "the test needs the path of the staged program"
#endif

namespace {

constexpr char kChildFlag[] = "--at-high-dpi=";
constexpr DWORD kHighDpi = 144;
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kTrailOnWhite = RGB(0x45, 0x42, 0xD2);

// LogPixels of the current user set for as long as the object lives, then put
// back as it was (or removed, where there was none).
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof previous_, type = 0;
    hadValue_ = RegQueryValueExA(key_, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&previous_), &size) ==
                    ERROR_SUCCESS && type == REG_DWORD;
    RegSetValueExA(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }
  ~ScopedLogPixels() { restore(); }
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

  void restore() {
    if (!key_) return;
    if (hadValue_)
      RegSetValueExA(key_, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
    else
      RegDeleteValueA(key_, kLogPixels);
    RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
  DWORD previous_ = 0;
  bool hadValue_ = false;
};

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// Starts this program again with the same arguments at 144 DPI; its exit code.
int RunAsChildAtHighDpi() {
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE ready = CreateEventA(&inheritable, TRUE, FALSE, nullptr);
  if (!ready) return 2;
  std::string command = std::string(GetCommandLineA()) + " " + kChildFlag +
                        std::to_string(reinterpret_cast<uintptr_t>(ready));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION child = {};
  ScopedLogPixels highDpi(kHighDpi);
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
    CloseHandle(ready);
    return 2;
  }
  const HANDLE readyOrGone[] = {ready, child.hProcess};
  WaitForMultipleObjects(2, readyOrGone, FALSE, 60000);
  highDpi.restore();
  WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 2;
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  CloseHandle(ready);
  return static_cast<int>(code);
}

void Pump(DWORD milliseconds = 0) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (milliseconds) Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

template <typename Condition>
bool PumpUntil(Condition done, DWORD milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    Pump(10);
  }
  return true;
}

void SendMouse(DWORD flags, POINT at) { InjectMouse(flags, at); }

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// The manifest resource of a module, as text.
std::string ManifestOf(HMODULE module) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (!found) return std::string();
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

// The main window's side as the program has it: a window of the main
// window's class handing the library's messages to the capture handler, and
// remembering where the drawing button went down.
class ProgramWindow {
 public:
  ProgramWindow() : handler_(plugins_, nullptr) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &ProgramWindow::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = ZAVOTRA_WINDOW_CLASS;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, ZAVOTRA_WINDOW_CLASS, "Zavotra", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetMainWindow(window_);
  }
  ~ProgramWindow() {
    SetMainWindow(nullptr);
    DestroyWindow(window_);
  }

  const InkTrail& trail() const { return handler_.trail(); }
  const std::vector<POINT>& presses() const { return presses_; }
  int ends() const { return ends_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProgramWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message >= WM_HOOK_ENABLE && message <= WM_HOOK_GESTURE_CANCEL) {
      if (message == WM_HOOK_ARM)
        self->presses_.push_back({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (message == WM_HOOK_GESTURE_END) ++self->ends_;
      return self->handler_.handle(message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  ZPluginManager plugins_;
  ZCaptureMessages handler_;
  HWND window_ = nullptr;
  std::vector<POINT> presses_;
  int ends_ = 0;
};

// White paper under the gestures, noting where right clicks land on it.
class Paper {
 public:
  static constexpr RECT kPlace = {300, 250, 900, 750};

  Paper() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Paper::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "HighDpiPaper";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, kPlace.left, kPlace.top,
                              kPlace.right - kPlace.left, kPlace.bottom - kPlace.top, nullptr, nullptr,
                              wc.hInstance, nullptr);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    Pump(300);
  }
  ~Paper() { DestroyWindow(window_); }

  HWND get() const { return window_; }
  static std::vector<POINT>& clicks() {
    static std::vector<POINT> points;
    return points;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RBUTTONDOWN) {
      POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window, &at);
      clicks().push_back(at);
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};
constexpr RECT Paper::kPlace;

class CaptureAtHighDpi : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings().autoHide = false;
    Settings().playSounds = false;
    Settings().applicationDetection = false;
    Paper::clicks().clear();
    const std::string program = ZAVOTRA_STAGED_EXE;
    const std::string dll = program.substr(0, program.size() - strlen("Zavotra.exe")) + "system\\Zavotra.dll";
    library_ = LoadLibraryA(dll.c_str());
    ASSERT_NE(library_, nullptr) << dll;
    auto update = reinterpret_cast<UpdateSettingsFn>(GetProcAddress(library_, "UpdateSettings"));
    ASSERT_NE(update, nullptr);
    HookSettings settings = {};
    settings.dragThreshold = 8;
    settings.drawButton = -1;
    settings.userEnable = 1;
    settings.notSuspended = 1;
    update(&settings);
    ASSERT_EQ(ScreenPixel({Paper::kPlace.left + 5, Paper::kPlace.top + 5}), kWhite) << "the paper is not showing";
  }
  void TearDown() override {
    if (!library_) return;
    if (auto release = reinterpret_cast<ReleaseHooksFn>(GetProcAddress(library_, "ReleaseHooks"))) release();
    FreeLibrary(library_);
  }

  Paper paper_;
  ProgramWindow program_;
  HMODULE library_ = nullptr;
};

TEST(HighDpiScreen, RunsAt144DpiInPhysicalPixels) {
  ASSERT_EQ(ScreenDpi(), static_cast<int>(kHighDpi)) << "Wine no longer takes LogPixels from the registry";
  // The whole screen in pixels: nothing of it is scaled for this program.
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(screen, HORZRES));
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(screen, VERTRES));
  ReleaseDC(nullptr, screen);
  using ThreadContextFn = HANDLE(WINAPI*)();
  using AwarenessFn = int(WINAPI*)(HANDLE);
  HMODULE user = GetModuleHandleA("user32.dll");
  auto context = reinterpret_cast<ThreadContextFn>(GetProcAddress(user, "GetThreadDpiAwarenessContext"));
  auto awareness = reinterpret_cast<AwarenessFn>(GetProcAddress(user, "GetAwarenessFromDpiAwarenessContext"));
  ASSERT_TRUE(context && awareness);
  EXPECT_EQ(awareness(context()), 2);  // per monitor
}

TEST(HighDpiScreen, ThisTestCarriesTheProgramsManifestWhichIsPerMonitorAware) {
  const std::string own = ManifestOf(GetModuleHandleA(nullptr));
  HMODULE program = LoadLibraryExA(ZAVOTRA_STAGED_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  const std::string programs = ManifestOf(program);
  FreeLibrary(program);
  EXPECT_EQ(own, programs);
  EXPECT_NE(programs.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << programs;
  EXPECT_NE(programs.find(">true/pm</dpiAware>"), std::string::npos) << programs;  // 8.1; Vista and 7 read "true"
}

TEST_F(CaptureAtHighDpi, TrailLiesUnderTheInjectedPointsAndThePressFindsTheWindowThere) {
  // Down then right, in steps; points chosen where a 3/2 or 2/3 scale error
  // would fall off the paper or onto another part of the stroke.
  std::vector<POINT> path;
  for (int y = 330; y <= 650; y += 20) path.push_back({420, y});
  for (int x = 440; x <= 820; x += 20) path.push_back({x, 650});
  SetCursorPos(path.front().x, path.front().y);
  SendMouse(MOUSEEVENTF_RIGHTDOWN, path.front());
  for (size_t i = 1; i < path.size(); ++i) SendMouse(0, path[i]);
  SetCursorPos(path.back().x, path.back().y);  // where Wine's own pointer is, so it adds nothing
  ASSERT_TRUE(PumpUntil([&] {
    return !program_.trail().isEmpty() && program_.trail().strokes().back().size() >= path.size();
  }));

  ASSERT_EQ(program_.presses().size(), 1u);
  EXPECT_EQ(program_.presses()[0].x, path.front().x);
  EXPECT_EQ(program_.presses()[0].y, path.front().y);
  EXPECT_EQ(TopLevelWindowAt(program_.presses()[0]), paper_.get());
  // Halfway between two injected points: at the points themselves two
  // segments meet, and their exclusive-or pens cancel where they overlap.
  for (size_t i = 1; i < path.size(); ++i) {
    const POINT between = {(path[i - 1].x + path[i].x) / 2, (path[i - 1].y + path[i].y) / 2};
    EXPECT_EQ(ScreenPixel(between), kTrailOnWhite) << between.x << "," << between.y;
  }
  EXPECT_EQ(ScreenPixel({600, 450}), kWhite);  // inside the L, away from the stroke

  SendMouse(MOUSEEVENTF_RIGHTUP, path.back());
  ASSERT_TRUE(PumpUntil([&] { return program_.ends() == 1; }));
  EXPECT_TRUE(program_.trail().isEmpty());
  EXPECT_EQ(ScreenPixel({420, 340}), kWhite);
  EXPECT_TRUE(Paper::clicks().empty());  // a gesture is no click
}

TEST_F(CaptureAtHighDpi, ClickHandedBackLandsWhereItWasPressed) {
  for (const POINT press : {POINT{523, 417}, POINT{871, 733}, POINT{305, 255}}) {
    SCOPED_TRACE(testing::Message() << press.x << "," << press.y);
    Paper::clicks().clear();
    SetCursorPos(press.x, press.y);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, press);
    SendMouse(0, {press.x + 3, press.y + 2});  // within the drag threshold
    SendMouse(MOUSEEVENTF_RIGHTUP, {press.x + 3, press.y + 2});
    ASSERT_TRUE(PumpUntil([] { return !Paper::clicks().empty(); }));
    EXPECT_EQ(Paper::clicks()[0].x, press.x);
    EXPECT_EQ(Paper::clicks()[0].y, press.y);
    EXPECT_EQ(program_.presses().back().x, press.x);
    EXPECT_EQ(program_.presses().back().y, press.y);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const size_t flagLength = strlen(kChildFlag);
  if (argc > 1 && strncmp(argv[argc - 1], kChildFlag, flagLength) == 0) {
    // The DPI is read once, as the program starts; the parent may put the
    // registry back now.
    ScreenDpi();
    const auto ready = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(strtoull(argv[argc - 1] + flagLength, nullptr, 10)));
    SetEvent(ready);
    CloseHandle(ready);
    --argc;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
  }
  return RunAsChildAtHighDpi();
}
