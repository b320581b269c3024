// The symbol editor on real windows, driven like a user from a second thread:
// clicks injected on the grid and the painting, buttons pressed by control
// id, the name typed into dialog 222. What it saved is read back from the
// folder, and the user's symbol list is checked at once after saving.
#include "ui/symbol_editor.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/default_key.h"
#include "gesture/icon_canvas.h"
#include "gesture/symbol_file.h"
#include "gesture/symbol_library.h"
#include "gesture/symbol_recognizer.h"
#include "gesture/symbol_sketch.h"
#include "resources/zavotra_ids.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/injected_input.h"
#include "tests/support/symbol_editor_driving.h"
#include "tests/support/temp_folder.h"

namespace {
constexpr COLORREF kDarkBlue = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
using namespace symbol_editor_driving;

// With ZAVOTRA_SHOTS set to a folder, the frame as the screen shows it is
// kept there as a bitmap, for people to look at.
void KeepShot(HWND window, const char* name) {
  const char* folder = std::getenv("ZAVOTRA_SHOTS");
  if (!folder || !window) return;
  Sleep(150);
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {sizeof info, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<char> pixels(static_cast<size_t>(((w * 3 + 3) & ~3) * h));
  GetDIBits(memory, picture, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                           sizeof(BITMAPFILEHEADER) + sizeof info};
  std::string content(reinterpret_cast<char*>(&file), sizeof file);
  content.append(reinterpret_cast<char*>(&info), sizeof info);
  content.append(pixels.data(), pixels.size());
  TempFolder::Write(std::string(folder) + "\\" + name, content);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

Symbol SavedSymbol(const std::string& path, const std::string& name, const Stroke& stroke) {
  Symbol symbol = SymbolEditor::NewSymbol();
  symbol.setName(name);
  symbol.setSortName(name);
  symbol.shapes().front().strokes().front() = stroke;
  SaveSymbolFile(symbol, path, DefaultKey());
  return symbol;
}

class SymbolEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ZSymbolEditorContext& context = SymbolEditorContext();
    context.symbolsFolder = [this] { return symbols.slashed(); };
    context.fileKey = [] { return DefaultKey(); };
    context.advanced = false;
    SymbolLibrary().loadUserSymbols(symbols.path(), DefaultKey());
  }
  void TearDown() override {
    SymbolEditorContext() = ZSymbolEditorContext();
    SymbolLibrary().loadUserSymbols(symbols.file("gone"), DefaultKey());
    CoUninitialize();
  }

  const Symbol* listed(const std::string& path) const {
    for (const Symbol& symbol : SymbolLibrary().userSymbols())
      if (lstrcmpiA(symbol.path().c_str(), path.c_str()) == 0) return &symbol;
    return nullptr;
  }

  TempFolder symbols;
};

TEST_F(SymbolEditorTest, ANewSymbolNeedsAClosedPolylineOnTheGridAndIsMatchableOnceSaved) {
  struct Seen {
    bool nextAtStart = true, nextAfterOutside = true, nextWhileOpen = true, stayedOnStepOne = false;
    bool nextWhenClosed = false, onStepTwo = false;
    COLORREF outsidePixel = 0, vertexPixel = 0, iconVertex = 0, iconOff = 0;
    std::string finishLabel;
    bool identifierShown = true, sortNameShown = true;
    NameAnswer name;
  } seen;
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    seen.nextAtStart = editor.nextEnabled();
    // Cells 2 and 29 and the margins lie outside the grid: nothing is added,
    // so there is nothing to close either.
    for (POINT pixel : {POINT{10, 10}, POINT{100, 18}, POINT{18, 100}, POINT{205, 100}, POINT{100, 205}})
      editor.clickDrawing(pixel);
    editor.clickDrawing(POINT{100, 18});
    Sleep(50);
    seen.nextAfterOutside = editor.nextEnabled();
    seen.outsidePixel = ScreenPixel(OnScreen(editor.control(IDC_SYMBOL_DRAWING), POINT{100, 18}));
    for (Point cell : {Point{5, 5}, Point{20, 5}, Point{20, 20}}) editor.clickCell(cell);
    Sleep(50);
    seen.nextWhileOpen = editor.nextEnabled();
    editor.press(IDC_SYMBOL_NEXT);  // refused while the polyline is open
    Sleep(100);
    seen.stayedOnStepOne = editor.caption() == Caption(1) && editor.control(IDC_SYMBOL_DRAWING) != nullptr;
    editor.clickCell(Point{20, 20});  // the last vertex again: closed
    WaitFor([&] { return editor.nextEnabled(); }, 2000);
    seen.nextWhenClosed = editor.nextEnabled();
    seen.vertexPixel = ScreenPixel(editor.drawingPixel(Point{5, 5}));
    KeepShot(editor.frame, "symbol_editor_vector.bmp");
    editor.press(IDC_SYMBOL_NEXT);
    seen.onStepTwo = editor.waitForStep(2) && WaitFor([&] { return editor.control(IDC_SYMBOL_PAINTING) != nullptr; });
    Sleep(100);
    seen.finishLabel = ItemText(editor.frame, IDC_SYMBOL_NEXT);
    seen.identifierShown = IsWindowVisible(editor.control(IDC_SYMBOL_IDENTIFIER)) != FALSE;
    seen.sortNameShown = IsWindowVisible(editor.control(IDC_SYMBOL_SORT_NAME)) != FALSE;
    // The icon was made from the polyline by itself.
    seen.iconVertex = ScreenPixel(editor.paintingCell(12, 5));
    seen.iconOff = ScreenPixel(editor.paintingCell(10, 15));
    KeepShot(editor.frame, "symbol_editor_bitmap.bmp");
    editor.press(IDC_SYMBOL_NEXT);
    seen.name = AnswerName("Hook");
  });
  Symbol made;
  const bool saved = DesignNewSymbol(nullptr, made);
  user.join();

  EXPECT_FALSE(seen.nextAtStart);
  EXPECT_FALSE(seen.nextAfterOutside);
  EXPECT_EQ(seen.outsidePixel, kWhite) << "no handle where an outside click was";
  EXPECT_FALSE(seen.nextWhileOpen);
  EXPECT_TRUE(seen.stayedOnStepOne);
  EXPECT_TRUE(seen.nextWhenClosed);
  EXPECT_EQ(seen.vertexPixel, RGB(0, 0, 0)) << "the handle of a vertex";
  EXPECT_TRUE(seen.onStepTwo);
  EXPECT_EQ(seen.finishLabel, "&Finish");
  EXPECT_FALSE(seen.identifierShown) << "only in the advanced mode";
  EXPECT_FALSE(seen.sortNameShown);
  EXPECT_EQ(seen.iconVertex, kDarkBlue);
  EXPECT_EQ(seen.iconOff, kWhite);
  EXPECT_EQ(seen.name.offered, "");
  EXPECT_FALSE(seen.name.okWhenEmpty);
  EXPECT_TRUE(seen.name.okWithName);
  ASSERT_TRUE(saved);

  // Saved as the first numbered file, with exactly the clicked cells.
  const std::string path = symbols.file("002.zts");
  const Stroke expected = {{5, 5}, {20, 5}, {20, 20}};
  const Symbol onDisk = LoadSymbolFile(path, DefaultKey());
  ASSERT_EQ(onDisk.shapeCount(), 1u);
  ASSERT_EQ(onDisk.shapes()[0].strokeCount(), 1u);
  EXPECT_EQ(onDisk.shapes()[0].strokes()[0], expected);
  EXPECT_EQ(onDisk.name(), "Hook");
  EXPECT_EQ(onDisk.sortName(), "Hook");
  IconCanvas icon;
  icon.drawPolyline(expected);
  EXPECT_EQ(onDisk.shapes()[0].icon().xorMask(), icon.colours());
  EXPECT_EQ(onDisk.shapes()[0].icon().andMask(), icon.transparency());
  EXPECT_EQ(made.name(), "Hook");
  EXPECT_EQ(made.shapes()[0].strokes()[0], expected);

  // In the user's list at once, and a gesture of that shape matches it.
  const Symbol* inLibrary = listed(path);
  ASSERT_NE(inLibrary, nullptr);
  const Gesture hook = {{{100, 100}, {400, 100}, {400, 400}}};
  const Gesture other = {{{100, 400}, {400, 400}}};
  EXPECT_NE(SymbolRecognizer(hook, 100, 30).symbolScore(*inLibrary), SymbolRecognizer::kNoMatchScore);
  EXPECT_EQ(SymbolRecognizer(other, 100, 30).symbolScore(*inLibrary), SymbolRecognizer::kNoMatchScore);
}

TEST_F(SymbolEditorTest, NewFilesTakeTheNextFreeNumberARenamedSymbolGetsANewFileAndAKeptOneItsOwn) {
  SavedSymbol(symbols.file("002.zts"), "Angle", Stroke{{4, 4}, {4, 20}, {20, 20}});
  SavedSymbol(symbols.file("003.zts"), "Line", Stroke{{4, 4}, {20, 4}});
  SymbolLibrary().loadUserSymbols(symbols.path(), DefaultKey());

  NameAnswer first, renamed, kept;
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    editor.drawClosed({Point{6, 6}, Point{22, 22}});
    WaitFor([&] { return editor.nextEnabled(); }, 2000);
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    editor.press(IDC_SYMBOL_NEXT);
    first = AnswerName("Slash");
  });
  Symbol made;
  EXPECT_TRUE(DesignNewSymbol(nullptr, made));
  user.join();
  EXPECT_EQ(made.path(), symbols.file("004.zts"));
  EXPECT_EQ(LoadSymbolFile(symbols.file("004.zts"), DefaultKey()).name(), "Slash");

  // An existing symbol opens closed, on its own name; renamed, it goes to a new file.
  std::thread renamer([&] {
    Editor editor = WaitForEditor("Symbol Editor - Angle: Step 1 of 2");
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    editor.press(IDC_SYMBOL_NEXT);
    renamed = AnswerName("Corner");
  });
  EXPECT_TRUE(EditUserSymbol(nullptr, symbols.file("002.zts")));
  renamer.join();
  EXPECT_EQ(renamed.offered, "Angle");
  const Symbol old = LoadSymbolFile(symbols.file("002.zts"), DefaultKey());
  const Symbol corner = LoadSymbolFile(symbols.file("005.zts"), DefaultKey());
  EXPECT_EQ(old.name(), "Angle");
  EXPECT_EQ(corner.name(), "Corner");
  EXPECT_EQ(corner.shapes()[0].strokes()[0], (Stroke{{4, 4}, {4, 20}, {20, 20}}));
  ASSERT_NE(listed(symbols.file("002.zts")), nullptr);
  ASSERT_NE(listed(symbols.file("005.zts")), nullptr);
  EXPECT_EQ(listed(symbols.file("005.zts"))->name(), "Corner");

  // Kept under its name, it is saved over its own file.
  std::thread keeper([&] {
    Editor editor = WaitForEditor("Symbol Editor - Line: Step 1 of 2");
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    editor.press(IDC_SYMBOL_CLEAR);
    WaitFor([&] { return !editor.nextEnabled(); }, 2000);
    editor.drawClosed({Point{4, 4}, Point{20, 4}, Point{20, 12}});
    WaitFor([&] { return editor.nextEnabled(); }, 2000);
    // Closed, its last vertex is dragged down cell by cell.
    EditorMouseTo(editor.drawingPixel(Point{20, 12}));
    EditorMouseTo(editor.drawingPixel(Point{20, 12}), MOUSEEVENTF_LEFTDOWN);
    for (int row = 14; row <= 24; row += 2) EditorMouseTo(editor.drawingPixel(Point{20, row}));
    EditorMouseTo(editor.drawingPixel(Point{20, 24}), MOUSEEVENTF_LEFTUP);
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    editor.press(IDC_SYMBOL_NEXT);
    kept = AnswerName("Line");
  });
  EXPECT_TRUE(EditUserSymbol(nullptr, symbols.file("003.zts")));
  keeper.join();
  EXPECT_EQ(LoadSymbolFile(symbols.file("003.zts"), DefaultKey()).shapes()[0].strokes()[0],
            (Stroke{{4, 4}, {20, 4}, {20, 24}}));
  EXPECT_FALSE(TempFolder::Exists(symbols.file("006.zts")));
  EXPECT_EQ(SymbolLibrary().userSymbols().size(), 4u);
}

TEST_F(SymbolEditorTest, TheRightButtonPaintsTransparentAndTheLeftDarkBlueInThePreview) {
  struct Seen {
    COLORREF previewInked = 0, previewErased = 0, previewVertexBefore = 0, previewVertexAfter = 0, face = 0;
    COLORREF paintingErased = 0, paintingInked = 0;
  } seen;
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    editor.drawClosed({Point{5, 5}, Point{25, 5}});
    WaitFor([&] { return editor.nextEnabled(); }, 2000);
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    WaitFor([&] { return editor.control(IDC_SYMBOL_PAINTING) != nullptr; });
    Sleep(100);
    seen.face = GetSysColor(COLOR_BTNFACE);
    seen.previewVertexBefore = ScreenPixel(editor.previewPixel(10, 5));
    // A drag with the left button inks the cells it passes.
    EditorMouseTo(editor.paintingCell(2, 20));
    EditorMouseTo(editor.paintingCell(2, 20), MOUSEEVENTF_LEFTDOWN);
    EditorMouseTo(editor.paintingCell(3, 20));
    EditorMouseTo(editor.paintingCell(4, 20));
    EditorMouseTo(editor.paintingCell(4, 20), MOUSEEVENTF_LEFTUP);
    // The right button makes a pixel of the line transparent.
    EditorClickAt(editor.paintingCell(10, 5), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Sleep(150);
    seen.previewInked = ScreenPixel(editor.previewPixel(3, 20));
    seen.previewVertexAfter = ScreenPixel(editor.previewPixel(10, 5));
    seen.paintingInked = ScreenPixel(editor.paintingCell(3, 20));
    seen.paintingErased = ScreenPixel(editor.paintingCell(10, 5));
    editor.press(IDC_SYMBOL_NEXT);
    AnswerName("Bar");
  });
  Symbol made;
  ASSERT_TRUE(DesignNewSymbol(nullptr, made));
  user.join();
  EXPECT_EQ(seen.previewVertexBefore, kDarkBlue);
  EXPECT_EQ(seen.previewInked, kDarkBlue);
  EXPECT_EQ(seen.previewVertexAfter, seen.face) << "transparent: the background shows";
  EXPECT_EQ(seen.paintingInked, kDarkBlue);
  EXPECT_EQ(seen.paintingErased, kWhite);

  const Symbol onDisk = LoadSymbolFile(symbols.file("002.zts"), DefaultKey());
  const SymbolIcon& icon = onDisk.shapes()[0].icon();
  const IconCanvas saved(icon.xorMask(), icon.andMask());
  for (int column : {2, 3, 4}) {
    EXPECT_FALSE(saved.transparentAt(column, 20)) << column;
    EXPECT_EQ(saved.colourAt(column, 20), IconCanvas::kInk) << column;
  }
  EXPECT_TRUE(saved.transparentAt(10, 5));
  EXPECT_EQ(saved.colourAt(10, 5), 0);
  EXPECT_FALSE(saved.transparentAt(11, 5));
}

// The text of the program's message box (caption "Zavotra"), answered with OK.
std::string AnswerMessage() {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindWindowA("#32770", "Zavotra")) != nullptr && IsWindowVisible(box); }))
    return "<no message>";
  const std::string text = ItemText(box, 0xFFFF);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return !IsWindow(box); });
  return text;
}

// An HDROP as the shell hands one over, holding `files`.
HDROP DropOf(const std::vector<std::string>& files) {
  std::string names;
  for (const std::string& file : files) names += file + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

bool MakeShortcut(const std::string& shortcut, const std::string& target) {
  Microsoft::WRL::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return false;
  link->SetPath(target.c_str());
  Microsoft::WRL::ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file))) return false;
  const std::wstring wide(shortcut.begin(), shortcut.end());
  return SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

TEST_F(SymbolEditorTest, DroppedFilesOtherThanOneSymbolAreRefusedAndASymbolLendsItsDrawing) {
  TempFolder elsewhere;
  TempFolder::Write(elsewhere.file("notes.txt"), "text");
  SavedSymbol(elsewhere.file("wave.zts"), "Wave", Stroke{{3, 10}, {10, 3}, {17, 10}});
  const std::string gone = elsewhere.file("gone.zts");
  SavedSymbol(gone, "Gone", Stroke{{3, 3}, {9, 9}});
  ASSERT_TRUE(MakeShortcut(elsewhere.file("gone.lnk"), gone));
  ASSERT_TRUE(MakeShortcut(elsewhere.file("wave.lnk"), elsewhere.file("wave.zts")));
  DeleteFileA(gone.c_str());

  std::vector<std::string> messages;
  bool nextBefore = true, nextAfter = false;
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    nextBefore = editor.nextEnabled();
    const std::vector<std::vector<std::string>> refused = {
        {elsewhere.file("wave.zts"), elsewhere.file("notes.txt")},
        {elsewhere.file("notes.txt")},
        {elsewhere.file("gone.lnk")},
    };
    for (const auto& files : refused) {
      PostMessageA(editor.frame, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(files)), 0);
      messages.push_back(AnswerMessage());
    }
    // A shortcut to a symbol file: its drawing comes in, closed.
    PostMessageA(editor.frame, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({elsewhere.file("wave.lnk")})), 0);
    WaitFor([&] { return editor.nextEnabled(); }, 3000);
    nextAfter = editor.nextEnabled();
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    editor.press(IDC_SYMBOL_NEXT);
    AnswerName("Wave copy");
  });
  Symbol made;
  ASSERT_TRUE(DesignNewSymbol(nullptr, made));
  user.join();
  EXPECT_EQ(messages, (std::vector<std::string>{"Only one file can be dragged here.",
                                                 "This file type cannot be dragged here.",
                                                 "This shortcut does not point to any file."}));
  EXPECT_FALSE(nextBefore);
  EXPECT_TRUE(nextAfter);
  EXPECT_EQ(made.shapes()[0].strokes()[0], (Stroke{{3, 10}, {10, 3}, {17, 10}}));
  EXPECT_EQ(made.name(), "Wave copy");
  EXPECT_EQ(made.path(), symbols.file("002.zts"));
}

TEST_F(SymbolEditorTest, TheAdvancedModeEditsTheIdentifierAndKeepsTheSortNameTyped) {
  SymbolEditorContext().advanced = true;
  struct Seen {
    bool shown = false;
    std::string identifier = "unset", sortName = "unset";
  } seen;
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    editor.drawClosed({Point{5, 5}, Point{9, 9}});
    WaitFor([&] { return editor.nextEnabled(); }, 2000);
    editor.press(IDC_SYMBOL_NEXT);
    editor.waitForStep(2);
    WaitFor([&] { return editor.control(IDC_SYMBOL_IDENTIFIER) != nullptr; });
    HWND view = editor.view();
    seen.shown = IsWindowVisible(GetDlgItem(view, IDC_SYMBOL_IDENTIFIER)) && IsWindowVisible(GetDlgItem(view, IDC_SYMBOL_SORT_NAME));
    seen.identifier = ItemText(view, IDC_SYMBOL_IDENTIFIER);
    seen.sortName = ItemText(view, IDC_SYMBOL_SORT_NAME);
    SetItemText(view, IDC_SYMBOL_IDENTIFIER, "4711");
    SetItemText(view, IDC_SYMBOL_SORT_NAME, "zz last");
    editor.press(IDC_SYMBOL_NEXT);
    AnswerName("Step");
  });
  Symbol made;
  ASSERT_TRUE(DesignNewSymbol(nullptr, made));
  user.join();
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.identifier, "1");
  EXPECT_EQ(seen.sortName, "");
  const Symbol onDisk = LoadSymbolFile(symbols.file("002.zts"), DefaultKey());
  EXPECT_EQ(onDisk.identifier(), 4711u);
  EXPECT_EQ(onDisk.sortName(), "zz last");
  EXPECT_EQ(onDisk.name(), "Step");
}

TEST_F(SymbolEditorTest, CancelLeavesTheSymbolAndTheFolderAsTheyWere) {
  std::thread user([&] {
    Editor editor = WaitForEditor(Caption(1));
    if (!editor.frame) return;
    CancelLeftOpen guard{editor};
    editor.drawClosed({Point{5, 5}, Point{9, 9}});
    editor.press(IDCANCEL);
  });
  Symbol symbol = SymbolEditor::NewSymbol();
  const Symbol before = symbol;
  EXPECT_EQ(SymbolEditor::Run(nullptr, symbol), SymbolEditor::kCancelled);
  user.join();
  EXPECT_EQ(symbol, before);
  EXPECT_FALSE(TempFolder::Exists(symbols.file("002.zts")));
  EXPECT_TRUE(SymbolLibrary().userSymbols().empty());
}
}  // namespace
