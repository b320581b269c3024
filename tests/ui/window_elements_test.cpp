// The window elements on a real window under Wine: the button protocol, the
// on/off button's notifications, the text button's measuring, which element
// gets the mouse, dragging by the background, and what a button paints.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/app_context.h"
#include "resources/zavotra_ids.h"
#include "tests/ui/ui_test_host.h"
#include "ui/on_off_button.h"
#include "ui/push_button.h"
#include "ui/text_button.h"

namespace {
using Commands = std::vector<std::pair<WORD, WORD>>;

const ZButtonImages kMenuImages = {IDB_MENU_NORMAL, IDB_MENU_HOVER, IDB_MENU_PRESSED};
const ZButtonImages kSoundOn = {IDB_SOUND_ON_NORMAL, IDB_SOUND_ON_HOVER, IDB_SOUND_ON_PRESSED};
const ZButtonImages kSoundOff = {IDB_SOUND_OFF_NORMAL, IDB_SOUND_OFF_HOVER, IDB_SOUND_OFF_PRESSED};

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

HFONT Arial(int points) {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
}

SIZE Extent(HFONT font, const std::string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return size;
}

COLORREF BitmapPixel(WORD bitmapId, int x, int y) {
  HBITMAP bitmap = LoadBitmapA(AppInstance(), MAKEINTRESOURCEA(bitmapId));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return colour;
}

// What the screen shows once the window's painting has reached it.
COLORREF ScreenPixel(HWND window, POINT client) {
  UpdateWindow(window);
  Sleep(150);
  ZTestHost::Pump();
  ClientToScreen(window, &client);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return colour;
}
}  // namespace

TEST(WindowElements, PressingAndReleasingOutsideSendsNothingAndFreesTheCapture) {
  ZTestHost host;
  auto& button = host.add<ZPushButton>(ID_MAIN_MENU_BUTTON, POINT{20, 20}, kMenuImages);
  EXPECT_EQ(button.rect().right - button.rect().left, 40);  // the normal image's size
  EXPECT_EQ(button.rect().bottom - button.rect().top, 40);
  const POINT inside = Centre(button.rect());
  const POINT outside = {200, 150};

  host.send(WM_MOUSEMOVE, inside);
  EXPECT_EQ(button.currentImage(), IDB_MENU_HOVER);
  host.send(WM_LBUTTONDOWN, inside, MK_LBUTTON);
  EXPECT_EQ(host.captureElement(), &button);
  EXPECT_EQ(button.currentImage(), IDB_MENU_PRESSED);
  host.send(WM_MOUSEMOVE, outside, MK_LBUTTON);
  EXPECT_EQ(button.currentImage(), IDB_MENU_NORMAL);  // dragged off: no hover image
  host.send(WM_LBUTTONUP, outside);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_EQ(host.captureElement(), nullptr);
  EXPECT_FALSE(button.pressed());

  host.click(inside);
  EXPECT_EQ(host.commands, (Commands{{ID_MAIN_MENU_BUTTON, 0}}));
}

TEST(WindowElements, TheSoundButtonReportsThreeThenZeroAndTwoThenZero) {
  ZTestHost host;
  auto& sound = host.add<ZOnOffButton>(ID_SOUND_BUTTON, POINT{20, 20}, kSoundOn, kSoundOff, true);
  const POINT inside = Centre(sound.rect());
  host.click(inside);
  EXPECT_EQ(host.commands, (Commands{{ID_SOUND_BUTTON, 3}, {ID_SOUND_BUTTON, 0}}));
  EXPECT_FALSE(sound.state());
  host.send(WM_MOUSEMOVE, inside);
  EXPECT_EQ(sound.currentImage(), IDB_SOUND_OFF_HOVER);
  host.commands.clear();
  host.click(inside);
  EXPECT_EQ(host.commands, (Commands{{ID_SOUND_BUTTON, 2}, {ID_SOUND_BUTTON, 0}}));
  EXPECT_TRUE(sound.state());
}

TEST(WindowElements, SettingTheStateItAlreadyHasSendsNothingAndPaintsNothing) {
  ZTestHost host;
  auto& sound = host.add<ZOnOffButton>(ID_SOUND_BUTTON, POINT{20, 20}, kSoundOn, kSoundOff, true);
  host.validate();
  sound.setState(true);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_FALSE(host.needsAnyPaint());
  sound.setState(false);
  EXPECT_EQ(host.commands, (Commands{{ID_SOUND_BUTTON, 3}}));
  EXPECT_TRUE(host.needsPaint(Centre(sound.rect())));
}

TEST(WindowElements, ANewTextRepaintsTheOldAndTheNewRectangleAndIsMeasuredAgain) {
  ZTestHost host(40, 40, 500, 200);
  auto& label = host.add<ZTextButton>(ID_COMMON_LABEL, POINT{10, 60}, "Go", Arial(10));
  const RECT before = label.rect();
  host.validate();
  const std::string longer = "Specific actions for Notepad";
  label.setText(longer);
  const RECT after = label.rect();
  const SIZE extent = Extent(label.font(), longer);
  EXPECT_EQ(after.right - after.left, extent.cx + 8);
  EXPECT_EQ(after.bottom - after.top, extent.cy + 4);
  EXPECT_EQ(after.left, before.left);
  EXPECT_TRUE(host.needsPaint(Centre(before)));
  EXPECT_TRUE(host.needsPaint(POINT{after.right - 2, after.bottom - 2}));
  EXPECT_FALSE(host.needsPaint(POINT{after.right + 5, after.bottom + 5}));

  // And back to a short word: the long rectangle is repainted too.
  host.validate();
  label.setText("Go");
  EXPECT_TRUE(host.needsPaint(POINT{after.right - 2, after.top + 2}));
  EXPECT_EQ(label.rect().right, before.right);
}

TEST(WindowElements, ATextButtonWithoutAFontUsesTheDefaultGuiFont) {
  ZTestHost host;
  const std::string text = "Internet Services";
  auto& label = host.add<ZTextButton>(ID_SERVICES_LABEL, POINT{0, 0}, text);
  HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(label.font(), guiFont);
  const SIZE extent = Extent(guiFont, text);
  EXPECT_EQ(label.rect().right, extent.cx + 8);
  EXPECT_EQ(label.rect().bottom, extent.cy + 4);
  // A larger font of its own gives another size, so the size says which font measured.
  auto& large = host.add<ZTextButton>(ID_COMMON_LABEL, POINT{0, 40}, text, Arial(20));
  EXPECT_GT(large.rect().right, label.rect().right);
}

TEST(WindowElements, OfTwoOverlappingElementsTheFirstCreatedGetsTheMouse) {
  ZTestHost host;
  auto& first = host.add<ZTextButton>(ID_SERVICES_LABEL, POINT{10, 10}, "First element");
  auto& second = host.add<ZTextButton>(ID_COMMON_LABEL, POINT{30, 12}, "Second element");
  const POINT both = {first.rect().right - 3, second.rect().top + 3};
  ASSERT_TRUE(second.contains(both));
  host.click(both);
  EXPECT_EQ(host.commands, (Commands{{ID_SERVICES_LABEL, 0}}));
  EXPECT_EQ(host.hoverElement(), &first);
  EXPECT_FALSE(second.inside());
}

TEST(WindowElements, DraggingTheBackgroundMovesTheWindow) {
  ZTestHost host(40, 40);
  host.add<ZPushButton>(ID_MAIN_MENU_BUTTON, POINT{20, 20}, kMenuImages);
  RECT start;
  GetWindowRect(host.window(), &start);
  host.send(WM_LBUTTONDOWN, POINT{200, 150}, MK_LBUTTON);
  EXPECT_TRUE(host.dragging());
  // The window follows the pointer: in client terms the pointer stays put.
  host.send(WM_MOUSEMOVE, POINT{230, 170}, MK_LBUTTON);
  host.send(WM_MOUSEMOVE, POINT{205, 150}, MK_LBUTTON);
  host.send(WM_LBUTTONUP, POINT{205, 150});
  EXPECT_FALSE(host.dragging());
  RECT end;
  GetWindowRect(host.window(), &end);
  EXPECT_EQ(end.left - start.left, 35);
  EXPECT_EQ(end.top - start.top, 20);
  EXPECT_EQ(host.dragChanges, (std::vector<bool>{true, false}));
  EXPECT_TRUE(host.commands.empty());
}

TEST(WindowElements, APushButtonPaintsTheImageOfItsState) {
  ZTestHost host;
  SetWindowPos(host.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  auto& button = host.add<ZPushButton>(ID_MAIN_MENU_BUTTON, POINT{20, 20}, kMenuImages);
  // A point of the glyph, where the three images differ.
  const POINT glyph = {20, 15};
  ASSERT_NE(BitmapPixel(IDB_MENU_NORMAL, glyph.x, glyph.y), BitmapPixel(IDB_MENU_HOVER, glyph.x, glyph.y));
  const POINT at = {20 + glyph.x, 20 + glyph.y};
  InvalidateRect(host.window(), nullptr, FALSE);
  EXPECT_EQ(ScreenPixel(host.window(), at), BitmapPixel(IDB_MENU_NORMAL, glyph.x, glyph.y));
  host.send(WM_MOUSEMOVE, at);
  EXPECT_EQ(ScreenPixel(host.window(), at), BitmapPixel(IDB_MENU_HOVER, glyph.x, glyph.y));
  host.send(WM_LBUTTONDOWN, at, MK_LBUTTON);
  EXPECT_EQ(ScreenPixel(host.window(), at), BitmapPixel(IDB_MENU_PRESSED, glyph.x, glyph.y));
  host.send(WM_LBUTTONUP, at);
  EXPECT_EQ(host.commands, (Commands{{ID_MAIN_MENU_BUTTON, 0}}));
  (void)button;
}
