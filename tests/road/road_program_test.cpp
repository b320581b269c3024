// The staged Zavotra.exe with Zavotra.dll as a real second process: gestures
// drawn with injected right-button drags over this process's windows type
// the bound text into them, hotkeys run their actions, a plain right click
// still arrives, counters are saved at exit; without the library the user is
// told twice and the program keeps running.
#include <gtest/gtest.h>

#include <cstring>

#include "actions/command_text.h"
#include "actions/macro.h"
#include "common/password_key.h"
#include "gesture/symbol_file.h"
#include "resources/zavotra_ids.h"
#include "shell/password_file.h"
#include "shell/usage_counters.h"
#include "tests/road/road_fixtures.h"
#include "tests/shell/staged_program.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/stream_size_claim.h"
#include "tests/support/injected_input.h"
#include "tests/support/symbol_editor_driving.h"
#include "tests/support/temp_folder.h"

namespace {
constexpr DWORD kPatience = kStagedProgramPatience;

void Pump() { PumpMessages(); }

// Keeps this thread's windows alive while another process acts on them.
template <typename Condition>
bool WaitPumping(Condition condition, DWORD ms = kPatience) {
  return WaitPumpingFor(condition, ms);
}

void PumpFor(DWORD ms) { PumpMessagesFor(ms); }

// The visible message box of the process with this caption.
HWND MessageBoxOf(DWORD processId, const std::string& caption) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w; w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    if (owner == processId && IsWindowVisible(w) && caption == text) return w;
  }
  return nullptr;
}

std::string Text(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A target application: a top-level window of its own class holding an edit
// control, counting the right clicks it receives on its own surface.
class Target {
 public:
  Target(const char* className, int x, int y) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Target::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, className, "Road target", WS_POPUP | WS_VISIBLE, x, y, 320, 320,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 320, 24, window_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    Pump();
  }
  ~Target() { DestroyWindow(window_); }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  void focus() {
    SetForegroundWindow(window_);
    SetFocus(edit_);
    Pump();
  }
  std::string text() const { return Text(edit_); }
  POINT at(int dx, int dy) const {
    RECT r;
    GetWindowRect(window_, &r);
    return POINT{r.left + dx, r.top + dy};
  }
  static int rightClicks;

 private:
  static LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_RBUTTONUP) ++rightClicks;
    return DefWindowProcA(w, m, wp, lp);
  }
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};
int Target::rightClicks = 0;

void SendMouse(DWORD flags, POINT at) { InjectMouseAndPump(flags, at); }

// The right button pressed at the first point and walked through the others
// in small steps, still held at the end.
void PressAndWalk(const std::vector<POINT>& path) {
  SendMouse(MOUSEEVENTF_RIGHTDOWN, path.front());
  for (size_t i = 1; i < path.size(); ++i)
    for (int step = 1; step <= 10; ++step)
      SendMouse(0, POINT{path[i - 1].x + (path[i].x - path[i - 1].x) * step / 10,
                         path[i - 1].y + (path[i].y - path[i - 1].y) * step / 10});
}

// A right-button drag through the points.
void Drag(const std::vector<POINT>& path) {
  PressAndWalk(path);
  SendMouse(MOUSEEVENTF_RIGHTUP, path.back());
}

void DrawL(const Target& t) { Drag({t.at(60, 60), t.at(60, 260), t.at(260, 260)}); }

// Top left, top right, bottom left, bottom right.
void DrawZ(const Target& t) { Drag({t.at(60, 60), t.at(260, 60), t.at(60, 260), t.at(260, 260)}); }

// Wine reports the display's own pointer position when a window appears
// under it, which would be a jump at the start of the next gesture: the
// pointer goes where the gesture starts first.
void PointerTo(POINT at) {
  SetCursorPos(at.x, at.y);
  PumpFor(200);
}

void PressCtrlShift(WORD key) {
  InjectKeyAndPump(VK_CONTROL, false);
  InjectKeyAndPump(VK_SHIFT, false);
  InjectKeyAndPump(key, false);
  InjectKeyAndPump(key, true);
  InjectKeyAndPump(VK_SHIFT, true);
  InjectKeyAndPump(VK_CONTROL, true);
}

constexpr char kUsersClipboard[] = "the user's own clipboard";

void PutClipboardText(const char* text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  const size_t size = strlen(text) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(block), text, size);
  GlobalUnlock(block);
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  CloseClipboard();
}

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text.assign(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::vector<COLORREF> Pixels(const Target& t) {
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = 40; y < 300; y += 4)
    for (int x = 40; x < 300; x += 4) {
      const POINT p = t.at(x, y);
      pixels.push_back(GetPixel(screen, p.x, p.y));
    }
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Every stored action carries a symbol; the hotkey actions' ones come after
// the L actions and never win a gesture.
std::unique_ptr<ZMacro> TextMacro(const std::string& name, uint32_t symbolId, uint16_t hotkey,
                                  const std::string& text) {
  auto macro = Macro(name, symbolId, hotkey);
  auto command = std::make_unique<ZCommandText>();
  command->setText(text);
  command->setUseClipboard(true);
  macro->append(std::move(command));
  return macro;
}

class RoadProgram : public ZStagedProgramTest {
 protected:
  void SetUp() override {
    ZStagedProgramTest::SetUp();
    writeProfile("FirstTime\tfalse\r\nStartHidden\ttrue\r\nRunAtStartup\tfalse\r\n"
                 "PlaySounds\tfalse\r\nPlayStartSound\tfalse\r\nAutoHide\tfalse\r\n");
    plugins = profileFolder() + "plug-ins";
    CreateDirectoryA(plugins.c_str(), nullptr);
    CreateDirectoryA((profileFolder() + "symbols").c_str(), nullptr);
  }
  void writePlugins(const ZKeyBlock& key = ProfileDefaultKey()) {
    ZPlugin common;
    common.setName("Common");
    common.addAction(TextMacro("Common L", 77, 0, "common"));
    common.addAction(TextMacro("Common F9", 1, (3 << 8) | VK_F9, "hk9"));
    common.addAction(TextMacro("Common F8", 2, (3 << 8) | VK_F8, "cf8"));
    common.saveAs(plugins + "\\common.ztc", key);
    ZPlugin app;
    app.setName("Target application");
    app.setId(555);
    app.setKey("RoadAppTarget");
    app.addAction(TextMacro("App L", 88, 0, "app"));
    app.addAction(TextMacro("App F8", 3, (3 << 8) | VK_F8, "af8"));
    app.saveAs(plugins + "\\target.zta", key);
  }
  // A plug-in (as one downloaded) and a symbol file, each with a stream whose
  // directory entry claims 0x90000000 bytes; encrypted with a profile's key.
  void writeHostileFiles(const ZKeyBlock& key) {
    ZPlugin hostile;
    hostile.setName("Hostile");
    hostile.setComments(std::string(5000, 'c'));
    const std::string plugin = plugins + "\\hostile.zta";
    hostile.saveAs(plugin, ProfileDefaultKey());
    ASSERT_EQ(ClaimStreamSize(plugin, L"Comments", 0x90000000u), 1);
    Symbol symbol = LSymbol(9);
    const std::string symbolFile = profileFolder() + "symbols\\hostile.zts";
    SaveSymbolFile(symbol, symbolFile, ProfileDefaultKey());
    ASSERT_EQ(ClaimStreamSize(symbolFile, L"Name", 0x90000000u), 1);
    if (key.sameBytes(ProfileDefaultKey())) return;
    ASSERT_TRUE(ZFileCipher::EncryptInPlace(plugin.c_str(), key));
    ASSERT_TRUE(ZFileCipher::EncryptInPlace(symbolFile.c_str(), key));
  }
  std::string counters(const char* name) const {
    return DecryptedText(profileFolder() + name, ProfileDefaultKey());
  }

  std::string plugins;
};
}  // namespace

TEST_F(RoadProgram, GesturesHotkeysAndClicksReachTheApplications) {
  installHookLibrary();
  writePlugins();
  // Not "Road...": a class sharing four characters with a plug-in's Key would choose it.
  Target plain("PlainTarget", 100, 100);
  Target app("RoadAppTarget", 500, 100);
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (main = MainWindowOf(program.id())) != nullptr; }));
  PumpFor(1000);  // plug-ins, hotkeys and hooks in place

  // A common action over a window without a plug-in; the trail leaves no trace.
  PutClipboardText(kUsersClipboard);
  plain.focus();
  const std::vector<COLORREF> before = Pixels(plain);
  DrawL(plain);
  EXPECT_TRUE(WaitPumping([&] { return plain.text() == "common"; })) << plain.text();
  EXPECT_EQ(Pixels(plain), before);
  EXPECT_TRUE(WaitPumping([] { return ClipboardText() == kUsersClipboard; })) << ClipboardText();

  // A scribble that matches nothing runs nothing.
  Drag({plain.at(60, 60), plain.at(260, 60), plain.at(60, 260), plain.at(260, 260)});
  PumpFor(1000);
  EXPECT_EQ(plain.text(), "common");

  // A plain right click is handed on as one.
  const int clicks = Target::rightClicks;
  SendMouse(MOUSEEVENTF_RIGHTDOWN, plain.at(150, 150));
  SendMouse(MOUSEEVENTF_RIGHTUP, plain.at(150, 150));
  EXPECT_TRUE(WaitPumping([&] { return Target::rightClicks == clicks + 1; }));

  // Over the application's window its own action wins the tie. Its hotkey,
  // pressed while that action still holds our text on the clipboard, wins
  // over the common one with the same keys, and waits its turn.
  app.focus();
  DrawL(app);
  EXPECT_TRUE(WaitPumping([&] { return app.text() == "app"; })) << app.text();
  PressCtrlShift(VK_F8);
  EXPECT_TRUE(WaitPumping([&] { return app.text() == "appaf8"; })) << app.text();
  // A hotkey only the common plug-in has, then a gesture once it is done.
  PressCtrlShift(VK_F9);
  EXPECT_TRUE(WaitPumping([&] { return app.text() == "appaf8hk9"; })) << app.text();
  EXPECT_TRUE(WaitPumping([] { return ClipboardText() == kUsersClipboard; })) << ClipboardText();
  DrawL(app);
  EXPECT_TRUE(WaitPumping([&] { return app.text() == "appaf8hk9app"; })) << app.text();
  EXPECT_TRUE(WaitPumping([] { return ClipboardText() == kUsersClipboard; })) << ClipboardText();

  PostMessageA(main, WM_DESTROY, 0, 0);
  ASSERT_TRUE(WaitPumping([&] { return !program.running(); }));
  ZUsageCounters symbols;
  symbols.parse(counters("stsl"));
  EXPECT_EQ(symbols.entries().count(0) ? symbols.entries().at(0).total : 0u, 1u) << counters("stsl");
  EXPECT_EQ(symbols.entries().count(77) ? symbols.entries().at(77).total : 0u, 1u);
  EXPECT_EQ(symbols.entries().count(88) ? symbols.entries().at(88).total : 0u, 2u);
  ZUsageCounters applications;
  applications.parse(counters("stpl"));
  EXPECT_EQ(applications.entries().count(555) ? applications.entries().at(555).total : 0u, 2u) << counters("stpl");
}

TEST_F(RoadProgram, WithoutTheHookLibraryTheUserIsToldTwiceAndTheProgramRuns) {
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  const std::string path = install.root() + "system\\Zavotra.dll";
  HWND box = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (box = MessageBoxOf(program.id(), "Zavotra")) != nullptr; }));
  EXPECT_EQ(MessageBoxOf(program.id(), path), nullptr);  // one after the other
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND second = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (second = MessageBoxOf(program.id(), path)) != nullptr; }));
  EXPECT_NE(Text(GetDlgItem(second, 0xFFFF)).find("Couldn't find the 'Zavotra.dll' file"), std::string::npos);
  PostMessageA(second, WM_COMMAND, IDOK, 0);
  HWND main = nullptr;
  EXPECT_TRUE(WaitPumping([&] {
    main = MainWindowOf(program.id());
    return main && !MessageBoxOf(program.id(), path);
  }));
  PumpFor(300);
  EXPECT_TRUE(program.running());
  PostMessageA(main, WM_DESTROY, 0, 0);
  EXPECT_TRUE(WaitPumping([&] { return !program.running(); }));
}

TEST_F(RoadProgram, OurOwnPasteDuringAGestureCancelsItAndNothingRuns) {
  installHookLibrary();
  writePlugins();
  Target plain("PlainTarget", 100, 100);
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (main = MainWindowOf(program.id())) != nullptr; }));
  PumpFor(1000);

  plain.focus();
  const std::vector<COLORREF> before = Pixels(plain);
  // A whole L drawn and the button still held, when a hotkey's text is pasted:
  // our Ctrl+V suspends capture in the middle of the gesture.
  PressAndWalk({plain.at(60, 60), plain.at(60, 260), plain.at(260, 260)});
  PressCtrlShift(VK_F9);
  EXPECT_TRUE(WaitPumping([&] { return plain.text() == "hk9"; })) << plain.text();
  SendMouse(MOUSEEVENTF_RIGHTUP, plain.at(260, 260));
  PumpFor(1500);
  EXPECT_EQ(plain.text(), "hk9");  // the L never ran
  EXPECT_EQ(Pixels(plain), before);  // and its trail is gone

  PostMessageA(main, WM_DESTROY, 0, 0);
  ASSERT_TRUE(WaitPumping([&] { return !program.running(); }));
  ZUsageCounters symbols;
  symbols.parse(counters("stsl"));
  EXPECT_TRUE(symbols.entries().empty()) << counters("stsl");  // neither a match nor a miss
}

namespace {

// Start-up reads every plug-in and symbol file of the profile: one hostile
// file is skipped, the program starts, its plug-ins work, and no decrypted
// copy is left in the temporary folder.
void ExpectHostileFilesSkipped(ZChildProcess& program, const std::string& passwordToType) {
  ASSERT_TRUE(program.started());
  if (!passwordToType.empty()) {
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitPumping([&] {
      prompt = MessageBoxOf(program.id(), "Zavotra");
      return prompt && GetDlgItem(prompt, IDC_PASSWORD_EDIT) != nullptr;
    }));
    SetDlgItemTextA(prompt, IDC_PASSWORD_EDIT, passwordToType.c_str());
    PostMessageA(prompt, WM_COMMAND, IDOK, 0);
  }
  HWND main = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (main = MainWindowOf(program.id())) != nullptr || !program.running(); }));
  ASSERT_NE(main, nullptr) << "the program ended at start-up";

  // An action of the common plug-in read beside the hostile files. The
  // hotkeys are registered while the main window is made, which may still be
  // going on: the keys are pressed again until the action answers.
  Target plain("PlainTarget", 100, 100);
  for (int attempt = 0; attempt < 10 && plain.text().empty(); ++attempt) {
    plain.focus();
    PressCtrlShift(VK_F9);
    WaitPumping([&] { return !plain.text().empty(); }, 3000);
  }
  EXPECT_EQ(plain.text().substr(0, 3), "hk9") << plain.text();
  PostMessageA(main, WM_DESTROY, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}

}  // namespace

TEST_F(RoadProgram, AHostileFileInThePluginOrSymbolFolderIsSkippedAtStartUp) {
  installHookLibrary();
  writePlugins();
  writeHostileFiles(ProfileDefaultKey());
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ExpectHostileFilesSkipped(program, "");
}

TEST_F(RoadProgram, AHostileFileOfAProtectedProfileIsSkippedAndLeavesNoPlainCopy) {
  installHookLibrary();
  const ZKeyBlock key = DeriveKey("guarded").withUsedLength(ZKeyBlock::kProfileLength);
  ASSERT_TRUE(WritePasswordFile(profileFolder() + "pf", DeriveKey("guarded")));
  ASSERT_TRUE(WriteEncryptedFile(profileFolder() + "settings", key,
                                 "FirstTime\tfalse\r\nStartHidden\ttrue\r\nRunAtStartup\tfalse\r\n"
                                 "PlaySounds\tfalse\r\nPlayStartSound\tfalse\r\n"));
  writePlugins(key);
  writeHostileFiles(key);
  TempFolder temp;
  std::vector<std::string> copies;
  {
    ScopedTempRedirect redirect(temp.path());  // the program inherits it
    ZChildProcess program(ZAVOTRA_STAGED_EXE);
    ExpectHostileFilesSkipped(program, "guarded");
  }
  for (const std::string& name : temp.fileNames())
    if (name.compare(0, 3, ".z_") == 0) copies.push_back(name);
  EXPECT_TRUE(copies.empty()) << copies.front();
}

TEST_F(RoadProgram, ExitWhileATextInsertionWaitsPutsTheUsersClipboardBack) {
  installHookLibrary();
  ZPlugin common;
  common.setName("Common");
  common.addAction(TextMacro("Common F9", 1, (3 << 8) | VK_F9, "bye"));
  common.saveAs(plugins + "\\common.ztc", ProfileDefaultKey());
  Target plain("PlainTarget", 100, 100);
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (main = MainWindowOf(program.id())) != nullptr; }));
  PumpFor(1000);

  // The text has arrived: the action now waits for the application to have
  // read the clipboard before putting the user's back. The exit comes then.
  PutClipboardText(kUsersClipboard);
  plain.focus();
  PressCtrlShift(VK_F9);
  ASSERT_TRUE(WaitPumping([&] { return plain.text() == "bye"; })) << plain.text();
  PostMessageA(main, WM_DESTROY, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);
  EXPECT_EQ(ClipboardText(), kUsersClipboard);
}

namespace {

// The new symbol through the editor the wizard's symbol page opens: a "Z"
// drawn on the grid, named on saving.
void DesignZ(HWND symbolPage, const char* name) {
  using namespace symbol_editor_driving;
  PostClick(symbolPage, IDC_ACTION_NEW_SYMBOL);
  Editor editor = WaitForEditor(Caption(1));
  ASSERT_NE(editor.frame, nullptr) << "no symbol editor";
  CancelLeftOpen guard{editor};
  editor.drawClosed({Point{4, 4}, Point{24, 4}, Point{4, 24}, Point{24, 24}});
  ASSERT_TRUE(WaitFor([&] { return editor.nextEnabled(); }, 2000));
  editor.press(IDC_SYMBOL_NEXT);
  ASSERT_TRUE(editor.waitForStep(2));
  editor.press(IDC_SYMBOL_NEXT);
  EXPECT_TRUE(AnswerName(name).okWithName);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor.frame); }, kPatience));
}

}  // namespace

// A user's own action from start to end: in the running program's wizard a
// symbol drawn in the editor and a text command, both saved in the profile,
// and the next gesture of that shape over an edit control types the text.
TEST_F(RoadProgram, ASymbolDrawnInTheEditorForAWizardTextActionTypesTheTextOnTheNextGesture) {
  installHookLibrary();
  writePlugins();
  ZChildProcess program(ZAVOTRA_STAGED_EXE);
  ASSERT_TRUE(program.started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitPumping([&] { return (main = MainWindowOf(program.id())) != nullptr; }));
  // As a user, after the splash screen: it stays on top of everything while it shows.
  ASSERT_TRUE(WaitPumping([&] { return SplashOf(program.id()) == nullptr; }));

  PostMessageA(main, WM_COMMAND, IDM_COMMON_NEW_ACTION, 0);
  HWND wizard = WaitForDialog("Action edition wizard", IDC_ACTION_TREE, kPatience);
  ASSERT_NE(wizard, nullptr);
  SetItemText(ShownPage(wizard), IDC_ACTION_NAME, "Hand made");
  Click(wizard, IDC_WIZARD_NEXT);
  ASSERT_NE(GetDlgItem(ShownPage(wizard), IDC_ACTION_NEW_SYMBOL), nullptr) << "not on the symbol page";
  DesignZ(ShownPage(wizard), "Zed");
  if (HasFatalFailure()) return;
  Click(wizard, IDC_WIZARD_NEXT);
  HWND choice = ShownPage(wizard);
  ASSERT_NE(GetDlgItem(choice, IDC_ACTION_CHOOSE_TEXT), nullptr) << "not on the command page";
  CheckDlgButton(choice, IDC_ACTION_CHOOSE_TEXT, BST_CHECKED);
  Click(choice, IDC_ACTION_CHOOSE_TEXT);
  Click(wizard, IDC_WIZARD_NEXT);
  SetItemText(ShownPage(wizard), IDC_ACTION_TEXT, "made by hand");
  ASSERT_TRUE(WaitFor([&] { return ItemEnabled(wizard, IDC_WIZARD_FINISH); }));
  PostClick(wizard, IDC_WIZARD_FINISH);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(wizard); }, kPatience));

  // The stored L answers first (and shows the hooks are in place); the Z
  // then types the new text, and nothing else.
  Target plain("PlainTarget", 100, 100);
  plain.focus();
  PointerTo(plain.at(60, 60));
  DrawL(plain);
  ASSERT_TRUE(WaitPumping([&] { return plain.text() == "common"; })) << plain.text();
  PointerTo(plain.at(60, 60));
  DrawZ(plain);
  EXPECT_TRUE(WaitPumping([&] { return plain.text() == "commonmade by hand"; })) << plain.text();

  PostMessageA(main, WM_DESTROY, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);

  // Both are in the profile, read once the program has ended: the symbol
  // file in its symbols folder, the action in the common plug-in.
  const std::string symbolFile = profileFolder() + "symbols\\002.zts";
  ASSERT_NE(GetFileAttributesA(symbolFile.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(LoadSymbolFile(symbolFile, ProfileDefaultKey()).name(), "Zed");
  ZPlugin common;
  common.read(plugins + "\\common.ztc", nullptr, ProfileDefaultKey());
  ASSERT_FALSE(common.actions().empty());
  const auto* made = dynamic_cast<const ZMacro*>(common.actions().back().get());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->name(), "Hand made");
  ASSERT_NE(made->symbol(), nullptr);
  EXPECT_EQ(made->symbol()->name(), "Zed");
  ASSERT_EQ(made->size(), 1u);
  const auto* text = dynamic_cast<const ZCommandText*>(made->front());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(), "made by hand");
}
