// The preferences sheet driven by control ids: Defaults then OK stores the
// defaults, Cancel stores nothing, the track bar has its range and ticks, and
// the Capture page takes an application by pointing at its window.
#include "ui/preferences_sheet.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "common/app_context.h"
#include "common/settings.h"
#include "resources/zavotra_ids.h"
#include "tests/ui/ui_test_support.h"
#include "ui/dialog_context.h"

namespace {
HWND WaitForSheet() { return WaitForDialog("Preferences", 0); }

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

HWND ShowPage(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  return CurrentPage(sheet);
}

std::vector<std::string> ComboTexts(HWND page, int id) {
  std::vector<std::string> texts;
  const LRESULT count = SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[64] = {};
    SendDlgItemMessageA(page, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Settings();
    Settings() = ZSettings();
    DialogContext().settingsChanged = [this] { ++notified; };
  }
  void TearDown() override {
    DialogContext().settingsChanged = nullptr;
    Settings() = saved_;
  }
  int notified = 0;

 private:
  ZSettings saved_;
};
}  // namespace

TEST_F(PreferencesTest, DefaultsThenOkStoresTheDefaultsOfBothPages) {
  ZSettings& s = Settings();
  s.drawButton = 1;
  s.drawingThreshold = 20;
  s.recognitionTolerance = 10;
  s.recognizer = ZRecognizerChoice::kPrecise;
  s.runAtStartup = s.playStartSound = s.startHidden = s.autoHide = false;
  struct Seen {
    std::vector<std::string> buttons, recognizers;
    LRESULT recognizerBefore = -1, recognizerAfter = -1;
    LRESULT selected = -1, rangeMin = -1, rangeMax = -1, ticks = -1, line = -1, pageSize = -1, position = -1;
    std::string threshold;
    bool miscBefore = true, miscAfter = false;
    int modal = 0;
  } seen;
  std::thread user([&] {
    HWND sheet = WaitForSheet();
    if (!sheet) return;
    seen.modal = ModalDialogCount();
    HWND drawing = CurrentPage(sheet);
    seen.buttons = ComboTexts(drawing, IDC_DRAW_BUTTON);
    seen.selected = SendDlgItemMessageA(drawing, IDC_DRAW_BUTTON, CB_GETCURSEL, 0, 0);
    seen.threshold = ItemText(drawing, IDC_DRAG_SENSITIVITY);
    HWND track = GetDlgItem(drawing, IDC_SYMBOL_TOLERANCE);
    seen.rangeMin = SendMessageA(track, TBM_GETRANGEMIN, 0, 0);
    seen.rangeMax = SendMessageA(track, TBM_GETRANGEMAX, 0, 0);
    seen.ticks = SendMessageA(track, TBM_GETNUMTICS, 0, 0);
    seen.line = SendMessageA(track, TBM_GETLINESIZE, 0, 0);
    seen.pageSize = SendMessageA(track, TBM_GETPAGESIZE, 0, 0);
    seen.position = SendMessageA(track, TBM_GETPOS, 0, 0);
    seen.recognizers = ComboTexts(drawing, IDC_RECOGNIZER);
    seen.recognizerBefore = SendDlgItemMessageA(drawing, IDC_RECOGNIZER, CB_GETCURSEL, 0, 0);
    Click(drawing, IDC_PREFS_DEFAULTS);
    seen.recognizerAfter = SendDlgItemMessageA(drawing, IDC_RECOGNIZER, CB_GETCURSEL, 0, 0);
    HWND misc = ShowPage(sheet, 1);
    seen.miscBefore = Checked(misc, IDC_RUN_AT_STARTUP) || Checked(misc, IDC_PLAY_WELCOME_SOUND) ||
                      Checked(misc, IDC_START_HIDDEN) || Checked(misc, IDC_AUTO_HIDE);
    Click(misc, IDC_PREFS_DEFAULTS);
    seen.miscAfter = Checked(misc, IDC_RUN_AT_STARTUP) && Checked(misc, IDC_PLAY_WELCOME_SOUND) &&
                     Checked(misc, IDC_START_HIDDEN) && Checked(misc, IDC_AUTO_HIDE);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  bool changed = false;
  const bool shown = OpenPreferences(nullptr, &changed);
  user.join();

  EXPECT_EQ(seen.modal, 1);
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"Right", "Middle", "Left"}));
  EXPECT_EQ(seen.selected, 2);
  EXPECT_EQ(seen.threshold, "20");
  EXPECT_EQ(seen.rangeMin, 0);
  EXPECT_EQ(seen.rangeMax, 50);
  EXPECT_EQ(seen.ticks, 11);  // every 5 from 0 to 50
  EXPECT_EQ(seen.line, 10);
  EXPECT_EQ(seen.pageSize, 20);
  EXPECT_EQ(seen.position, 10);
  EXPECT_EQ(seen.recognizers, (std::vector<std::string>{"Standard (symbol tolerance)", "Precise"}));
  EXPECT_EQ(seen.recognizerBefore, 1);
  EXPECT_EQ(seen.recognizerAfter, 0);
  EXPECT_FALSE(seen.miscBefore);
  EXPECT_TRUE(seen.miscAfter);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(changed);
  EXPECT_EQ(s.drawButton, -1);
  EXPECT_EQ(s.drawingThreshold, 8);
  EXPECT_EQ(s.recognitionTolerance, 30);
  EXPECT_EQ(s.recognizer, ZRecognizerChoice::kStandard);
  EXPECT_TRUE(s.runAtStartup && s.playStartSound && s.startHidden && s.autoHide);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(ModalDialogCount(), 0);
}

TEST_F(PreferencesTest, TheChosenValuesAreStoredOnOkAndNothingOnCancel) {
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    Settings() = ZSettings();
    notified = 0;
    std::thread user([&] {
      HWND sheet = WaitForSheet();
      if (!sheet) return;
      HWND drawing = CurrentPage(sheet);
      SendDlgItemMessageA(drawing, IDC_DRAW_BUTTON, CB_SETCURSEL, 1, 0);  // Middle
      SetItemText(drawing, IDC_DRAG_SENSITIVITY, "15");
      SendDlgItemMessageA(drawing, IDC_SYMBOL_TOLERANCE, TBM_SETPOS, TRUE, 45);
      SendDlgItemMessageA(drawing, IDC_RECOGNIZER, CB_SETCURSEL, 1, 0);  // Precise
      HWND misc = ShowPage(sheet, 1);
      CheckDlgButton(misc, IDC_AUTO_HIDE, BST_UNCHECKED);
      PostMessageA(sheet, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
    });
    bool changed = true;
    EXPECT_TRUE(OpenPreferences(nullptr, &changed));
    user.join();
    const ZSettings& s = Settings();
    EXPECT_EQ(changed, ok);
    EXPECT_EQ(notified, ok ? 1 : 0);
    EXPECT_EQ(s.drawButton, ok ? 0 : -1);
    EXPECT_EQ(s.drawingThreshold, ok ? 15 : 8);
    EXPECT_EQ(s.recognitionTolerance, ok ? 45 : 30);
    EXPECT_EQ(s.recognizer, ok ? ZRecognizerChoice::kPrecise : ZRecognizerChoice::kStandard);
    EXPECT_EQ(s.autoHide, !ok);
  }
}

TEST_F(PreferencesTest, TheCapturePageTakesAnApplicationByPointingAtItsWindow) {
  ZTargetApplication game("ZvFullScreenGame", "Space Game", 60, 380);
  ASSERT_NE(game.child(), nullptr);
  Settings().captureOffApplications = {{"ZvOldGame", "Old Game"}};
  struct Seen {
    LRESULT countBefore = -1, countAfter = -1, countAfterRemove = -1;
    std::string labelOff, labelKept, added;
  } seen;
  std::thread user([&] {
    HWND sheet = WaitForSheet();
    if (!sheet) return;
    HWND page = ShowPage(sheet, 2);
    seen.countBefore = SendDlgItemMessageA(page, IDC_CAPTURE_OFF_LIST, LB_GETCOUNT, 0, 0);
    seen.labelOff = ItemText(page, IDC_CAPTURE_OFF_LABEL);
    const POINT at = CentreOf(GetDlgItem(page, IDC_CAPTURE_OFF_TARGET));
    MouseTo(at);
    MouseTo(at, MOUSEEVENTF_LEFTDOWN);
    MouseWalk(at, CentreOf(game.child()));
    Sleep(200);
    MouseTo(CentreOf(game.child()), MOUSEEVENTF_LEFTUP);
    WaitFor([&] { return SendDlgItemMessageA(page, IDC_CAPTURE_OFF_LIST, LB_GETCOUNT, 0, 0) == 2; });
    seen.countAfter = SendDlgItemMessageA(page, IDC_CAPTURE_OFF_LIST, LB_GETCOUNT, 0, 0);
    char text[256] = {};
    SendDlgItemMessageA(page, IDC_CAPTURE_OFF_LIST, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    seen.added = text;
    // The old entry goes.
    ChooseItem(page, IDC_CAPTURE_OFF_LIST, 0, true);
    Click(page, IDC_CAPTURE_OFF_REMOVE);
    seen.countAfterRemove = SendDlgItemMessageA(page, IDC_CAPTURE_OFF_LIST, LB_GETCOUNT, 0, 0);
    CheckDlgButton(page, IDC_PAUSE_FULL_SCREEN, BST_CHECKED);
    Click(page, IDC_PAUSE_FULL_SCREEN);
    seen.labelKept = ItemText(page, IDC_CAPTURE_OFF_LABEL);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_TRUE(OpenPreferences(nullptr));
  user.join();
  EXPECT_EQ(seen.countBefore, 1);
  EXPECT_EQ(seen.countAfter, 2);
  EXPECT_EQ(seen.added, "Space Game  (ZvFullScreenGame)");
  EXPECT_EQ(seen.countAfterRemove, 1);
  EXPECT_EQ(seen.labelOff, "Applications where capture is off :");
  EXPECT_EQ(seen.labelKept, "Applications that keep capture in full screen :");
  EXPECT_EQ(Settings().captureOffApplications, (std::vector<ZWindowRule>{{"ZvFullScreenGame", "Space Game"}}));
  EXPECT_TRUE(Settings().pauseInFullScreen);
  EXPECT_EQ(notified, 1);
}
