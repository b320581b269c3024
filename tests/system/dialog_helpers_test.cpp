#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/dialog_helpers.h"
#include "common/trace.h"

namespace {

HWND Popup(int x, int y, int width, int height, const char* className = "STATIC") {
  return CreateWindowExA(0, className, "", WS_POPUP, x, y, width, height, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

TEST(CenterWindow, CentresOnTheReferenceKeepingTheSize) {
  HWND reference = Popup(100, 50, 401, 301);
  HWND window = Popup(0, 0, 100, 60);
  ASSERT_TRUE(reference && window);
  CenterWindow(window, reference);
  RECT rect = WindowRect(window);
  // Centre of the reference: (100 + 501) / 2 = 300, (50 + 351) / 2 = 200.
  EXPECT_EQ(rect.left, 300 - 50);
  EXPECT_EQ(rect.top, 200 - 30);
  EXPECT_EQ(rect.right - rect.left, 100);
  EXPECT_EQ(rect.bottom - rect.top, 60);
  DestroyWindow(window);
  DestroyWindow(reference);
}

TEST(CenterWindow, WithoutReferenceCentresOnTheWorkArea) {
  RECT area = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
  HWND window = Popup(0, 0, 121, 81);
  CenterWindow(window, nullptr);
  RECT rect = WindowRect(window);
  EXPECT_EQ(rect.left, (area.left + area.right) / 2 - 60);
  EXPECT_EQ(rect.top, (area.top + area.bottom) / 2 - 40);
  DestroyWindow(window);
}

TEST(CenterWindow, PlacesAChildInItsParentsCoordinates) {
  HWND parent = Popup(200, 100, 400, 300);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 40, 20, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(parent && child);
  CenterWindow(child, parent);
  RECT rect = WindowRect(child);  // screen coordinates
  EXPECT_EQ(rect.left, 400 - 20);
  EXPECT_EQ(rect.top, 250 - 10);
  DestroyWindow(parent);
}

TEST(SelectComboItemByData, SelectsTheFirstItemWithTheData) {
  HWND combo = Popup(0, 0, 100, 200, "COMBOBOX");
  ASSERT_NE(combo, nullptr);
  const LRESULT data[] = {10, 20, 30, 20};
  for (LRESULT value : data) {
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), value);
  }
  EXPECT_TRUE(SelectComboItemByData(combo, 20));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_FALSE(SelectComboItemByData(combo, 99));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);  // unchanged
  DestroyWindow(combo);
}

TEST(DiagnosticTrace, SetsTheTitleOfTheNotepadWindow) {
  DiagnosticTrace("nobody listens %d", 1);  // no such window yet: nothing happens

  WNDCLASSA notepadClass = {};
  notepadClass.lpfnWndProc = DefWindowProcA;
  notepadClass.hInstance = GetModuleHandleA(nullptr);
  notepadClass.lpszClassName = "Notepad";
  ASSERT_TRUE(RegisterClassA(&notepadClass));
  HWND notepad = Popup(0, 0, 10, 10, "Notepad");
  ASSERT_NE(notepad, nullptr);

  DiagnosticTrace("step %d of %s", 3, "load");
  char title[64] = {};
  GetWindowTextA(notepad, title, sizeof title);
  EXPECT_STREQ(title, "step 3 of load");

  DiagnosticTrace("%s", std::string(5000, 'z').c_str());  // cut to the buffer
  EXPECT_EQ(GetWindowTextLengthA(notepad), 2047);
  DestroyWindow(notepad);
  UnregisterClassA("Notepad", GetModuleHandleA(nullptr));
}

}  // namespace
