// The staged program with its hook library, driven from outside with
// injected input: a drawing button changed in the preferences works at once
// (a middle-button drag draws, a right-button drag is the application's), an
// application where capture is off gets the whole drag untouched, with
// the full-screen pause a full-screen window turns capture off until it is
// full screen no more, and the precise recognizer chosen in the preferences
// reads a two-stroke symbol drawn in another order and direction.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "actions/command_text.h"
#include "resources/zavotra_ids.h"
#include "shell/settings_text.h"
#include "tests/road/road_fixtures.h"
#include "tests/shell/staged_program.h"
#include "tests/support/injected_input.h"

namespace {
constexpr DWORD kPatience = kStagedProgramPatience;

// Pumps this thread's windows, which the program acts on, until it holds.
template <typename Condition>
bool Eventually(Condition condition) {
  return WaitPumpingFor(condition, kPatience);
}


struct Button {
  DWORD down, up;
};
constexpr Button kRight{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
constexpr Button kMiddle{MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};

// An L drawn with the button: down, then right, in small steps.
void DragL(Button button, POINT origin) {
  const POINT path[] = {{origin.x + 40, origin.y + 60}, {origin.x + 40, origin.y + 240}, {origin.x + 220, origin.y + 240}};
  InjectMouseAndPump(button.down, path[0]);
  for (size_t i = 1; i < 3; ++i)
    for (int step = 1; step <= 10; ++step)
      InjectMouseAndPump(0, POINT{path[i - 1].x + (path[i].x - path[i - 1].x) * step / 10,
                         path[i - 1].y + (path[i].y - path[i - 1].y) * step / 10});
  InjectMouseAndPump(button.up, path[2]);
}

// One stroke from `from` to `to` in small steps; Shift held at the release
// keeps the gesture open for another stroke.
void DrawStroke(Button button, POINT from, POINT to, bool moreToCome) {
  InjectMouseAndPump(0, from);
  InjectMouseAndPump(button.down, from);
  for (int step = 1; step <= 12; ++step)
    InjectMouseAndPump(0, POINT{from.x + (to.x - from.x) * step / 12, from.y + (to.y - from.y) * step / 12});
  if (moreToCome) InjectKeyAndPump(VK_SHIFT, false);
  InjectMouseAndPump(button.up, to);
  if (moreToCome) PumpMessagesFor(100);
}

// A plus in two strokes, the other way round from the stored one: the bar
// first, right to left, then the upright from the bottom up.
void DrawPlusBackward(Button button, POINT origin) {
  DrawStroke(button, POINT{origin.x + 240, origin.y + 150}, POINT{origin.x + 60, origin.y + 150}, true);
  DrawStroke(button, POINT{origin.x + 150, origin.y + 240}, POINT{origin.x + 150, origin.y + 60}, false);
  InjectKeyAndPump(VK_SHIFT, true);
}

// A top-level window of its own class with an edit control along its top,
// recording the mouse messages that reach its own surface.
class RecordingTarget {
 public:
  RecordingTarget(const char* className, const char* caption, RECT place) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &RecordingTarget::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, className, caption, WS_POPUP | WS_VISIBLE, place.left, place.top,
                              place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 320, 24, window_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    PumpMessages();
  }
  ~RecordingTarget() { DestroyWindow(window_); }
  RecordingTarget(const RecordingTarget&) = delete;
  RecordingTarget& operator=(const RecordingTarget&) = delete;

  void focus() {
    SetForegroundWindow(window_);
    SetFocus(edit_);
    PumpMessages();
  }
  void moveTo(RECT place) {
    SetWindowPos(window_, HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top, 0);
    PumpMessages();
  }
  POINT origin() const {
    RECT r;
    GetWindowRect(window_, &r);
    return POINT{r.left, r.top};
  }
  std::string text() const {
    char text[256] = {};
    GetWindowTextA(edit_, text, sizeof text);
    return text;
  }
  // The button messages seen since forget(), with "move" for a run of moves after a press.
  std::vector<std::string> seen() const { return seen_; }
  void forget() { seen_.clear(); }

 private:
  static LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<RecordingTarget*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self) self->record(m);
    return DefWindowProcA(w, m, wp, lp);
  }
  void record(UINT message) {
    const char* name = nullptr;
    switch (message) {
      case WM_RBUTTONDOWN: name = "right down"; break;
      case WM_RBUTTONUP: name = "right up"; break;
      case WM_MBUTTONDOWN: name = "middle down"; break;
      case WM_MBUTTONUP: name = "middle up"; break;
      case WM_MOUSEMOVE: name = "move"; break;
      default: return;
    }
    const bool move = std::string(name) == "move";
    // Moves count from the first press on: the pointer gets there first.
    if (move && (seen_.empty() || seen_.back() == "move")) return;
    seen_.push_back(name);
  }

  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  std::vector<std::string> seen_;
};

RECT Place(int x, int y, int size = 320) { return RECT{x, y, x + size, y + size}; }
RECT WholeScreen() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

const std::vector<std::string> kWholeRightDrag = {"right down", "move", "right up"};

// The visible dialog of the process with this caption.
HWND DialogOf(DWORD processId, const char* caption) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", caption); w; w = FindWindowExA(nullptr, w, "#32770", caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

std::unique_ptr<ZMacro> TypingL(const std::string& text) {
  auto macro = Macro("Common L", 77);
  auto command = std::make_unique<ZCommandText>();
  command->setText(text);
  macro->append(std::move(command));
  return macro;
}

// Stored as drawn in the symbol editor: the upright top down, then the bar
// left to right.
std::unique_ptr<ZMacro> TypingPlus(const std::string& text) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName("Common plus");
  auto symbol = std::make_unique<Symbol>();
  Shape& shape = symbol->addShape();
  Stroke& upright = shape.addStroke();
  for (int y = 0; y <= 100; y += 10) upright.push_back({50, y});
  Stroke& bar = shape.addStroke();
  for (int x = 0; x <= 100; x += 10) bar.push_back({x, 50});
  macro->setSymbol(std::move(symbol));
  auto command = std::make_unique<ZCommandText>();
  command->setText(text);
  macro->append(std::move(command));
  return macro;
}

class CaptureSettingsProgram : public ZStagedProgramTest {
 protected:
  void start(const std::string& moreSettings, std::unique_ptr<ZMacro> extraAction = nullptr) {
    writeProfile("FirstTime\tfalse\r\nStartHidden\ttrue\r\nRunAtStartup\tfalse\r\nPlaySounds\tfalse\r\n"
                 "PlayStartSound\tfalse\r\nAutoHide\tfalse\r\n" + moreSettings);
    const std::string plugins = profileFolder() + "plug-ins";
    CreateDirectoryA(plugins.c_str(), nullptr);
    CreateDirectoryA((profileFolder() + "symbols").c_str(), nullptr);
    ZPlugin common;
    common.setName("Common");
    common.addAction(TypingL("L"));
    if (extraAction) common.addAction(std::move(extraAction));
    common.saveAs(plugins + "\\common.ztc", ProfileDefaultKey());
    installHookLibrary();
    program_ = std::make_unique<ZChildProcess>(ZAVOTRA_STAGED_EXE);
    ASSERT_TRUE(program_->started());
    ASSERT_TRUE(Eventually([&] { return (main_ = MainWindowOf(program_->id())) != nullptr; }));
    PumpMessagesFor(1000);  // plug-ins and hooks in place
  }
  void TearDown() override {
    if (main_) {
      PostMessageA(main_, WM_DESTROY, 0, 0);
      WaitPumpingFor([&] { return !program_->running(); }, kPatience);
    }
    program_.reset();
    ZStagedProgramTest::TearDown();
  }
  ZSettings savedSettings() const {
    return SettingsFromText(DecryptedText(profileFolder() + "settings", ProfileDefaultKey()), ZSettings());
  }

  std::unique_ptr<ZChildProcess> program_;
  HWND main_ = nullptr;
};
}  // namespace

TEST_F(CaptureSettingsProgram, ADrawingButtonChosenInThePreferencesDrawsAtOnce) {
  start("");
  RecordingTarget target("ZvRoadPaper", "Paper", Place(120, 120));
  PostMessageA(main_, WM_COMMAND, IDM_PREFERENCES, 0);
  HWND sheet = nullptr;
  ASSERT_TRUE(Eventually([&] { return (sheet = DialogOf(program_->id(), "Preferences")) != nullptr; }));
  HWND drawing = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  ASSERT_NE(drawing, nullptr);
  ASSERT_EQ(SendDlgItemMessageA(drawing, IDC_DRAW_BUTTON, CB_SETCURSEL, 1, 0), 1);  // "Middle"
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(sheet); }));
  PumpMessagesFor(300);

  target.focus();
  target.forget();
  DragL(kMiddle, target.origin());
  EXPECT_TRUE(Eventually([&] { return target.text() == "L"; })) << target.text();
  for (const std::string& m : target.seen()) EXPECT_NE(m, "middle down");  // the drawing button is ours now

  target.forget();
  DragL(kRight, target.origin());
  PumpMessagesFor(1000);
  EXPECT_EQ(target.text(), "L");  // no second gesture
  EXPECT_EQ(target.seen(), kWholeRightDrag);
  // And the choice is kept at once, not only at exit.
  EXPECT_EQ(savedSettings().drawButton, 0);
}

TEST_F(CaptureSettingsProgram, AnApplicationWhereCaptureIsOffGetsTheWholeDragUntouched) {
  start("CaptureOff1\tZvRoadGame\tRoad Game\r\n");
  RecordingTarget game("ZvRoadGame", "Road Game", Place(80, 100));
  RecordingTarget paper("ZvRoadPaper", "Paper", Place(480, 100));

  game.focus();
  game.forget();
  DragL(kRight, game.origin());
  PumpMessagesFor(1000);
  EXPECT_EQ(game.seen(), kWholeRightDrag);
  EXPECT_EQ(game.text(), "");

  // Elsewhere a gesture is a gesture.
  paper.focus();
  paper.forget();
  DragL(kRight, paper.origin());
  EXPECT_TRUE(Eventually([&] { return paper.text() == "L"; })) << paper.text();
  for (const std::string& m : paper.seen()) EXPECT_NE(m, "right down");
}

TEST_F(CaptureSettingsProgram, WithThePauseAFullScreenWindowTurnsCaptureOffUntilItIsFullScreenNoMore) {
  start("PauseInFullScreen\ttrue\r\n");
  RecordingTarget film("ZvRoadFilm", "Film", WholeScreen());
  film.focus();
  film.forget();
  DragL(kRight, POINT{100, 100});
  PumpMessagesFor(1000);
  EXPECT_EQ(film.seen(), kWholeRightDrag);
  EXPECT_EQ(film.text(), "");

  film.moveTo(Place(120, 120));
  film.focus();
  film.forget();
  DragL(kRight, film.origin());
  EXPECT_TRUE(Eventually([&] { return film.text() == "L"; })) << film.text();
  for (const std::string& m : film.seen()) EXPECT_NE(m, "right down");
}

TEST_F(CaptureSettingsProgram, WithThePauseAListedApplicationKeepsCaptureInFullScreen) {
  start("PauseInFullScreen\ttrue\r\nCaptureOff1\tZvRoadFilm\t\r\n");
  RecordingTarget film("ZvRoadFilm", "Film", WholeScreen());
  film.focus();
  film.forget();
  DragL(kRight, POINT{100, 100});
  EXPECT_TRUE(Eventually([&] { return film.text() == "L"; })) << film.text();
  for (const std::string& m : film.seen()) EXPECT_NE(m, "right down");
}

TEST_F(CaptureSettingsProgram, ThePreciseRecognizerChosenInThePreferencesReadsStrokesInAnyOrderAndDirection) {
  start("", TypingPlus("plus"));
  RecordingTarget paper("ZvRoadPaper", "Paper", Place(120, 120));
  paper.focus();
  // The symbol recognizer walks each stroke in its stored direction: nothing runs.
  DrawPlusBackward(kRight, paper.origin());
  PumpMessagesFor(1000);
  EXPECT_EQ(paper.text(), "");

  PostMessageA(main_, WM_COMMAND, IDM_PREFERENCES, 0);
  HWND sheet = nullptr;
  ASSERT_TRUE(Eventually([&] { return (sheet = DialogOf(program_->id(), "Preferences")) != nullptr; }));
  HWND drawing = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  ASSERT_NE(drawing, nullptr);
  ASSERT_EQ(SendDlgItemMessageA(drawing, IDC_RECOGNIZER, CB_SETCURSEL, 1, 0), 1);  // "Precise"
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  ASSERT_TRUE(Eventually([&] { return !IsWindow(sheet); }));
  PumpMessagesFor(300);
  EXPECT_EQ(savedSettings().recognizer, ZRecognizerChoice::kPrecise);

  paper.focus();
  DrawPlusBackward(kRight, paper.origin());
  EXPECT_TRUE(Eventually([&] { return paper.text() == "plus"; })) << paper.text();
  // And the one-stroke L still reads as before, once the typing is over.
  PumpMessagesFor(1000);
  DragL(kRight, paper.origin());
  EXPECT_TRUE(Eventually([&] { return paper.text() == "plusL"; })) << paper.text();
}
