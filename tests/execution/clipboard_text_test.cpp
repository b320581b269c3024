#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "actions/action_workers.h"
#include "actions/clipboard_snapshot.h"
#include "actions/date_time_text.h"
#include "actions/text_insertion.h"
#include "desktop_fixture.h"

namespace {

void PutBytes(UINT format, const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  ASSERT_NE(nullptr, SetClipboardData(format, block));
}

std::vector<uint8_t> GetBytes(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (!data) return {};
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(data));
  std::vector<uint8_t> copy(bytes, bytes + GlobalSize(data));
  GlobalUnlock(data);
  return copy;
}

std::string AnsiText() {
  std::vector<uint8_t> bytes = GetBytes(CF_TEXT);
  return std::string(reinterpret_cast<const char*>(bytes.data()));
}

const std::vector<uint8_t> kPrivateBytes = {1, 2, 3, 0, 255, 7, 7, 7};

class ClipboardText : public DesktopFixture {
 protected:
  UINT registered_ = RegisterClipboardFormatW(L"Zavotra Test Format");

  // A clipboard holding text, a registered format and a bitmap.
  void fillClipboard(HWND owner) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const char text[] = "user's text";
    PutBytes(CF_TEXT, std::vector<uint8_t>(text, text + sizeof text));
    PutBytes(registered_, kPrivateBytes);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 7, 5);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(nullptr, SetClipboardData(CF_BITMAP, bitmap));
    CloseClipboard();
  }

  void expectClipboardRestored() {
    ASSERT_TRUE(OpenClipboard(main_));
    EXPECT_EQ("user's text", AnsiText());
    std::vector<uint8_t> registered = GetBytes(registered_);
    ASSERT_GE(registered.size(), kPrivateBytes.size());
    EXPECT_EQ(kPrivateBytes, std::vector<uint8_t>(registered.begin(), registered.begin() + kPrivateBytes.size()));
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info = {};
    ASSERT_NE(nullptr, bitmap);
    ASSERT_NE(0, GetObjectW(bitmap, sizeof info, &info));
    EXPECT_EQ(7, info.bmWidth);
    EXPECT_EQ(5, info.bmHeight);
    CloseClipboard();
  }
};

TEST_F(ClipboardText, PastesIntoTheEditAndPutsEveryFormatBack) {
  fillClipboard(main_);
  bool inserted = false;
  RunOnWorker([&] { inserted = InsertText(L"pasted \u00e9t\u00e9", true); });
  EXPECT_TRUE(inserted);
  EXPECT_EQ(L"pasted \u00e9t\u00e9", editText());
  expectClipboardRestored();
}

TEST_F(ClipboardText, RestoresAClipboardThatHadNoOwnerWindow) {
  fillClipboard(nullptr);
  RunOnWorker([&] { InsertText(L"x", true); });
  EXPECT_EQ(L"x", editText());
  expectClipboardRestored();
}

TEST_F(ClipboardText, EmptyClipboardStaysEmpty) {
  ASSERT_TRUE(OpenClipboard(main_));
  EmptyClipboard();
  CloseClipboard();
  RunOnWorker([&] { InsertText(L"abc", true); });
  EXPECT_EQ(L"abc", editText());
  EXPECT_EQ(0, CountClipboardFormats());
}

TEST_F(ClipboardText, EmptyTextPastesNothingAndSucceeds) {
  fillClipboard(main_);
  bool inserted = false;
  RunOnWorker([&] { inserted = InsertText(L"", true); });
  EXPECT_TRUE(inserted);
  EXPECT_EQ(L"", editText());
  expectClipboardRestored();
}

TEST_F(ClipboardText, ClipboardHeldByAnotherWindowFailsAndChangesNothing) {
  fillClipboard(main_);
  ASSERT_TRUE(OpenClipboard(frame_));  // held by this thread until closed
  bool inserted = true;
  RunOnWorker([&] { inserted = InsertText(L"never", true); });
  CloseClipboard();
  EXPECT_FALSE(inserted);
  EXPECT_EQ(L"", editText());
  expectClipboardRestored();
}

TEST_F(ClipboardText, TypesTextWithoutTheClipboard) {
  fillClipboard(main_);
  bool typed = false;
  RunOnWorker([&] { typed = InsertText(L"Typed 1", false); });
  EXPECT_TRUE(typed);
  EXPECT_EQ(L"Typed 1", editText());
  expectClipboardRestored();
}

TEST_F(ClipboardText, InsertsTodaysDateAndNothingForAnUnknownFormat) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string expected;
  ASSERT_TRUE(FormatDateText(9, now.wDay, now.wMonth, now.wYear, expected));
  bool inserted = false;
  RunOnWorker([&] { inserted = InsertDateText(9); });
  EXPECT_TRUE(inserted);
  EXPECT_EQ(std::wstring(expected.begin(), expected.end()), editText());

  bool unknown = false;
  RunOnWorker([&] { unknown = InsertDateText(12) && InsertTimeText(16) && InsertTimeText(-1); });
  EXPECT_TRUE(unknown);
  EXPECT_EQ(std::wstring(expected.begin(), expected.end()), editText());
}

TEST_F(ClipboardText, SelectionOfAnEditComesThroughCopyAndTheClipboardIsPutBack) {
  SetWindowTextW(edit_, L"chosen words");
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  fillClipboard(main_);
  std::wstring selection;
  RunOnWorker([&] { selection = GetSelection(); });
  EXPECT_EQ(L"chosen words", selection);
  expectClipboardRestored();
}

// "HTML Format" data with the offsets of `fragment` in its header.
std::string HtmlClipboardData(const std::string& before, const std::string& fragment,
                              const std::string& after) {
  char header[128];
  const char* layout = "Version:0.9\r\nStartFragment:%08u\r\nEndFragment:%08u\r\n";
  const int headerSize = std::snprintf(header, sizeof header, layout, 0u, 0u);
  const unsigned start = static_cast<unsigned>(headerSize + before.size());
  std::snprintf(header, sizeof header, layout, start, static_cast<unsigned>(start + fragment.size()));
  return header + before + fragment + after;
}

// A window that answers Ctrl+C the way browsers do: an "HTML Format"
// fragment besides the plain text.
LRESULT CALLBACK HtmlCopyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam == 3 && OpenClipboard(window)) {
    EmptyClipboard();
    const std::string html = HtmlClipboardData("<b>", "a &lt;b&gt; &#65;", "</b>");
    PutBytes(RegisterClipboardFormatA("HTML Format"), std::vector<uint8_t>(html.begin(), html.end()));
    const wchar_t plain[] = L"plain";
    PutBytes(CF_UNICODETEXT, std::vector<uint8_t>(reinterpret_cast<const uint8_t*>(plain),
                                                  reinterpret_cast<const uint8_t*>(plain) + sizeof plain));
    CloseClipboard();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ClipboardText, SelectionPrefersTheHtmlFragment) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = HtmlCopyProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZavotraHtmlCopy";
  RegisterClassW(&windowClass);
  HWND browser = CreateWindowExW(0, L"ZavotraHtmlCopy", L"Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60,
                                 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, browser);
  SetForegroundWindow(browser);
  SetFocus(browser);
  PumpFor(100);
  std::wstring selection;
  RunOnWorker([&] { selection = GetSelection(); });
  DestroyWindow(browser);
  EXPECT_EQ(L"a <b> A", selection);
}

TEST_F(ClipboardText, AnInsertionStartedDuringAnotherWaitsAndTheUserKeepsTheirClipboard) {
  fillClipboard(main_);
  bool first = false, second = false;
  RunOnWorker([&] {
    std::thread one([&] { first = InsertText(L"one", true); });
    Sleep(300);  // the first is now waiting for the application to read its text
    std::thread two([&] { second = InsertText(L"two", true); });
    one.join();
    two.join();
  });
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
  EXPECT_EQ(L"onetwo", editText());
  expectClipboardRestored();
}

TEST_F(ClipboardText, AtTheStopAnInsertionWaitingItsTurnGivesUpAndTheUserKeepsTheirClipboard) {
  fillClipboard(main_);
  bool first = false, second = true;
  RunOnWorker([&] {
    std::thread one([&] { first = InsertText(L"one", true); });
    Sleep(300);  // the first is now waiting for the application to read its text
    std::thread two([&] { second = InsertText(L"two", true); });
    Sleep(100);  // the second waits for its turn
    ActionWorkers().requestStop();
    one.join();
    two.join();
  });
  ActionWorkers().reopen();
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_EQ(L"one", editText());
  expectClipboardRestored();
}

// Records whether Shift was down when the edit saw the V of Ctrl+V.
WNDPROC g_editProcedure = nullptr;
int g_shiftedPastes = 0;
int g_pastes = 0;
LRESULT CALLBACK PasteWatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == 'V' && (GetKeyState(VK_CONTROL) & 0x8000)) {
    ++g_pastes;
    if (GetKeyState(VK_SHIFT) & 0x8000) ++g_shiftedPastes;
  }
  return CallWindowProcW(g_editProcedure, window, message, wParam, lParam);
}

TEST_F(ClipboardText, PasteWaitsUntilTheUserLetsGoOfTheHotkeysShift) {
  g_editProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PasteWatchProc)));
  g_pastes = g_shiftedPastes = 0;
  keybd_event(VK_SHIFT, 0, 0, 0);  // still held from a Ctrl+Shift hotkey
  PumpFor(50);
  std::thread user([] {
    Sleep(300);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  });
  bool inserted = false;
  RunOnWorker([&] { inserted = InsertText(L"plain", true); });
  user.join();
  SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editProcedure));
  EXPECT_TRUE(inserted);
  EXPECT_EQ(L"plain", editText());
  EXPECT_EQ(1, g_pastes);
  EXPECT_EQ(0, g_shiftedPastes);
}

}  // namespace
