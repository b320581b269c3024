// Driving the symbol editor like a user from a second thread of a test: the
// frame and its step found by caption, clicks injected on the grid and the
// painting, buttons pressed by control id, dialog 222 answered. Windows tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "gesture/symbol_sketch.h"
#include "resources/zavotra_ids.h"
#include "tests/support/dialog_driving.h"
#include "tests/support/injected_input.h"

namespace symbol_editor_driving {
constexpr int kBitmapCell = 7;
constexpr int kPreviewMargin = 2;

inline std::string Caption(int step) { return "Symbol Editor - Step " + std::to_string(step) + " of 2"; }

inline COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

inline POINT OnScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

// The pointer at a screen point, the system's and the input queue's.
inline void EditorMouseTo(POINT at, DWORD buttons = 0) {
  SetCursorPos(at.x, at.y);
  InjectMouse(buttons, at);
  Sleep(15);
}

inline void EditorClickAt(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  EditorMouseTo(at);
  EditorMouseTo(at, down);
  EditorMouseTo(at, up);
}

// The editor as the driving thread sees it: the frame and the step shown.
struct Editor {
  HWND frame = nullptr;

  HWND view() const { return FindWindowExA(frame, nullptr, "#32770", nullptr); }
  HWND control(int id) const { return GetDlgItem(view(), id); }
  std::string caption() const {
    char text[256] = {};
    GetWindowTextA(frame, text, sizeof text);
    return text;
  }
  bool nextEnabled() const { return ItemEnabled(frame, IDC_SYMBOL_NEXT); }
  // Presses a button of the frame or of the view, as a click would.
  void press(int id) const {
    if (GetDlgItem(frame, id))
      PostMessageA(frame, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(frame, id)));
    else
      PostMessageA(view(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control(id)));
  }
  // A click on a pixel of the drawing control, and the moment the editor needs for it.
  void clickDrawing(POINT pixel) const {
    EditorClickAt(OnScreen(control(IDC_SYMBOL_DRAWING), pixel));
  }
  void clickCell(Point cell) const {
    const Point pixel = sketch_grid::VertexPixel(cell);
    clickDrawing(POINT{pixel.x, pixel.y});
  }
  POINT drawingPixel(Point cell) const {
    const Point pixel = sketch_grid::VertexPixel(cell);
    return OnScreen(control(IDC_SYMBOL_DRAWING), POINT{pixel.x, pixel.y});
  }
  POINT paintingCell(int column, int row) const {
    return OnScreen(control(IDC_SYMBOL_PAINTING), POINT{column * kBitmapCell + 3, row * kBitmapCell + 3});
  }
  POINT previewPixel(int column, int row) const {
    return OnScreen(control(IDC_SYMBOL_PREVIEW), POINT{kPreviewMargin + column, kPreviewMargin + row});
  }
  // Draws the polyline through `cells` and closes it on the last one.
  void drawClosed(const std::vector<Point>& cells) const {
    for (const Point& cell : cells) clickCell(cell);
    clickCell(cells.back());
  }
  bool waitForStep(int step) const {
    return WaitFor([&] { return caption().find("Step " + std::to_string(step) + " of 2") != std::string::npos; });
  }
};

// Ends the driving thread's part: an editor still open once its script ran
// (a step that did not happen) is cancelled, so a failing test fails instead
// of waiting for ever.
struct CancelLeftOpen {
  const Editor& editor;
  ~CancelLeftOpen() {
    if (!editor.frame || WaitFor([&] { return !IsWindow(editor.frame); }, 5000)) return;
    if (HWND name = FindWindowA("#32770", "Symbol Name")) PostMessageA(name, WM_COMMAND, IDCANCEL, 0);
    Sleep(100);
    PostMessageA(editor.frame, WM_COMMAND, IDCANCEL, 0);
  }
};

inline Editor WaitForEditor(const std::string& caption) {
  Editor editor;
  editor.frame = WaitForDialog(caption.c_str(), IDC_SYMBOL_NEXT);
  if (editor.frame) WaitFor([&] { return editor.view() != nullptr && IsWindowVisible(editor.view()); });
  return editor;
}

// Answers dialog 222 with `name`; what its OK button said about the field
// before the name was typed.
struct NameAnswer {
  bool okWhenEmpty = true;
  bool okWithName = false;
  std::string offered = "unset";
};
inline NameAnswer AnswerName(const char* name) {
  NameAnswer answer;
  HWND dialog = WaitForDialog("Symbol Name", IDC_SYMBOL_NAME);
  if (!dialog) return answer;
  answer.offered = ItemText(dialog, IDC_SYMBOL_NAME);
  SetItemText(dialog, IDC_SYMBOL_NAME, "");
  WaitFor([&] { return !ItemEnabled(dialog, IDOK); }, 1000);
  answer.okWhenEmpty = ItemEnabled(dialog, IDOK);
  SetItemText(dialog, IDC_SYMBOL_NAME, name);
  WaitFor([&] { return ItemEnabled(dialog, IDOK); }, 1000);
  answer.okWithName = ItemEnabled(dialog, IDOK);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  return answer;
}

}  // namespace symbol_editor_driving
