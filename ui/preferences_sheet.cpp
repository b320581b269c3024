#include "ui/preferences_sheet.h"

#include <commctrl.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "common/app_context.h"
#include "common/dialog_helpers.h"
#include "common/settings.h"
#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "ui/dialog_context.h"
#include "ui/dialog_state.h"
#include "ui/window_target.h"

namespace {
constexpr int32_t kDefaultDrawButton = -1;
constexpr UINT kDefaultThreshold = 8;
constexpr int kDefaultTolerance = 30;
constexpr int kToleranceMaximum = 50;
constexpr int kThresholdDigits = 4;
constexpr int kTextBuffer = 1024;

// What the pages share while the sheet is open.
struct SheetState {
  HWND owner = nullptr;
  bool centred = false;
  std::vector<ZWindowRule> captureOff;  // the Capture page's working list
  std::unique_ptr<ZWindowTarget> target;
};

SheetState* StateOf(HWND page, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    SetWindowLongPtrA(page, DWLP_USER, sheetPage->lParam);
  }
  return reinterpret_cast<SheetState*>(GetWindowLongPtrA(page, DWLP_USER));
}

void CentreSheetOnce(HWND page, SheetState& state) {
  if (state.centred) return;
  state.centred = true;
  CenterWindow(GetParent(page), state.owner);
}

bool IsApply(LPARAM lParam) { return reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY; }

INT_PTR Applied(HWND page) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

// --- Drawing ------------------------------------------------------------------
void ShowDrawing(HWND page, int32_t drawButton, UINT threshold, int tolerance, ZRecognizerChoice recognizer) {
  SelectComboItemByData(GetDlgItem(page, IDC_DRAW_BUTTON), drawButton);
  SetDlgItemInt(page, IDC_DRAG_SENSITIVITY, threshold, FALSE);
  SendDlgItemMessageA(page, IDC_SYMBOL_TOLERANCE, TBM_SETPOS, TRUE, tolerance);
  SelectComboItemByData(GetDlgItem(page, IDC_RECOGNIZER), static_cast<LPARAM>(recognizer));
}

void AddComboEntry(HWND combo, UINT nameId, LPARAM value) {
  const std::string name = LoadAnsiString(nameId, AppInstance());
  const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), value);
}

void InitDrawing(HWND page) {
  HWND combo = GetDlgItem(page, IDC_DRAW_BUTTON);
  for (const ZDrawButtonChoice& choice : kDrawButtonChoices) AddComboEntry(combo, choice.nameId, choice.value);
  HWND recognizers = GetDlgItem(page, IDC_RECOGNIZER);
  for (const ZRecognizerEntry& entry : kRecognizerEntries)
    AddComboEntry(recognizers, entry.nameId, static_cast<LPARAM>(entry.value));
  SendDlgItemMessageA(page, IDC_DRAG_SENSITIVITY, EM_LIMITTEXT, kThresholdDigits, 0);
  HWND track = GetDlgItem(page, IDC_SYMBOL_TOLERANCE);
  SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, kToleranceMaximum));
  SendMessageA(track, TBM_SETTICFREQ, 5, 0);
  SendMessageA(track, TBM_SETLINESIZE, 0, 10);
  SendMessageA(track, TBM_SETPAGESIZE, 0, 20);
  const ZSettings& s = Settings();
  ShowDrawing(page, s.drawButton, s.drawingThreshold > 0 ? static_cast<UINT>(s.drawingThreshold) : 0,
              s.recognitionTolerance, s.recognizer);
}

void ApplyDrawing(HWND page) {
  ZSettings& s = Settings();
  BOOL number = FALSE;
  const UINT threshold = GetDlgItemInt(page, IDC_DRAG_SENSITIVITY, &number, FALSE);
  // An emptied field is no number of pixels: the setting stays as it was.
  if (number) s.drawingThreshold = threshold > INT_MAX ? INT_MAX : static_cast<int32_t>(threshold);
  s.recognitionTolerance = static_cast<int32_t>(SendDlgItemMessageA(page, IDC_SYMBOL_TOLERANCE, TBM_GETPOS, 0, 0));
  HWND combo = GetDlgItem(page, IDC_DRAW_BUTTON);
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR)
    s.drawButton = static_cast<int32_t>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
  HWND recognizers = GetDlgItem(page, IDC_RECOGNIZER);
  const LRESULT recognizer = SendMessageA(recognizers, CB_GETCURSEL, 0, 0);
  if (recognizer != CB_ERR)
    s.recognizer = static_cast<ZRecognizerChoice>(
        SendMessageA(recognizers, CB_GETITEMDATA, static_cast<WPARAM>(recognizer), 0));
}

// --- Misc. --------------------------------------------------------------------
struct MiscBox {
  int id;
  bool ZSettings::*setting;
};
constexpr MiscBox kMiscBoxes[] = {{IDC_RUN_AT_STARTUP, &ZSettings::runAtStartup},
                                  {IDC_PLAY_WELCOME_SOUND, &ZSettings::playStartSound},
                                  {IDC_START_HIDDEN, &ZSettings::startHidden},
                                  {IDC_AUTO_HIDE, &ZSettings::autoHide}};

void InitMisc(HWND page) {
  for (const MiscBox& box : kMiscBoxes) Check(page, box.id, Settings().*box.setting);
}
void MiscDefaults(HWND page) {
  for (const MiscBox& box : kMiscBoxes) Check(page, box.id, true);
}
void ApplyMisc(HWND page) {
  for (const MiscBox& box : kMiscBoxes) Settings().*box.setting = Checked(page, box.id);
}

// A page that shows its settings, has a Defaults button and stores them on apply.
struct SimplePage {
  void (*show)(HWND page);
  void (*defaults)(HWND page);
  void (*apply)(HWND page);
};

template <const SimplePage& kPage>
INT_PTR CALLBACK SimplePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetState* state = StateOf(page, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CentreSheetOnce(page, *state);
      kPage.show(page);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_PREFS_DEFAULTS && HIWORD(wParam) == BN_CLICKED) {
        kPage.defaults(page);
        return TRUE;
      }
      break;
    case WM_NOTIFY:
      if (IsApply(lParam)) {
        kPage.apply(page);
        return Applied(page);
      }
      break;
  }
  return FALSE;
}

void DrawingDefaults(HWND page) {
  ShowDrawing(page, kDefaultDrawButton, kDefaultThreshold, kDefaultTolerance, ZRecognizerChoice::kStandard);
}

constexpr SimplePage kDrawingPage{InitDrawing, DrawingDefaults, ApplyDrawing};
constexpr SimplePage kMiscPage{InitMisc, MiscDefaults, ApplyMisc};

// --- Capture --------------------------------------------------------------------
std::string RuleLabel(const ZWindowRule& rule) {
  return rule.caption.empty() ? rule.key : rule.caption + "  (" + rule.key + ")";
}

void ShowCaptureList(HWND page, const std::vector<ZWindowRule>& rules) {
  HWND list = GetDlgItem(page, IDC_CAPTURE_OFF_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const ZWindowRule& rule : rules)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(RuleLabel(rule).c_str()));
  EnableWindow(GetDlgItem(page, IDC_CAPTURE_OFF_REMOVE), FALSE);
}

// With the pause on, the same list names the applications that keep capture.
void ShowCaptureLabel(HWND page) {
  const UINT label = Checked(page, IDC_PAUSE_FULL_SCREEN) ? IDS_CAPTURE_KEPT_LIST_LABEL : IDS_CAPTURE_OFF_LIST_LABEL;
  SetDlgItemTextA(page, IDC_CAPTURE_OFF_LABEL, LoadAnsiString(label, AppInstance()).c_str());
}

void AddPointedWindow(HWND page, SheetState& state, HWND window) {
  if (!window || !IsWindow(window)) return;
  char className[kTextBuffer] = {};
  char caption[kTextBuffer] = {};
  GetClassNameA(window, className, kTextBuffer);
  GetWindowTextA(window, caption, kTextBuffer);
  const ZWindowRule rule{className, caption};
  for (const ZWindowRule& known : state.captureOff)
    if (known == rule) return;
  state.captureOff.push_back(rule);
  ShowCaptureList(page, state.captureOff);
}

void RemoveSelected(HWND page, SheetState& state) {
  const LRESULT selected = SendDlgItemMessageA(page, IDC_CAPTURE_OFF_LIST, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR || static_cast<size_t>(selected) >= state.captureOff.size()) return;
  state.captureOff.erase(state.captureOff.begin() + selected);
  ShowCaptureList(page, state.captureOff);
}

INT_PTR CALLBACK CaptureProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  SheetState* state = StateOf(page, message, lParam);
  if (!state) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      CentreSheetOnce(page, *state);
      state->captureOff = Settings().captureOffApplications;
      state->target = std::make_unique<ZWindowTarget>(page, IDC_CAPTURE_OFF_TARGET, nullptr);
      ShowCaptureList(page, state->captureOff);
      Check(page, IDC_PAUSE_FULL_SCREEN, Settings().pauseInFullScreen);
      ShowCaptureLabel(page);
      return TRUE;
    case WM_LBUTTONDOWN:
      return state->target && state->target->onButtonDown(MessagePoint(lParam));
    case WM_MOUSEMOVE:
      return state->target && state->target->onMouseMove(MessagePoint(lParam));
    case WM_LBUTTONUP:
      if (!state->target || !state->target->onButtonUp()) return FALSE;
      AddPointedWindow(page, *state, state->target->chosen());
      return TRUE;
    case WM_CAPTURECHANGED:
      if (state->target) state->target->onCaptureChanged();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PAUSE_FULL_SCREEN:
          ShowCaptureLabel(page);
          return TRUE;
        case IDC_CAPTURE_OFF_REMOVE:
          RemoveSelected(page, *state);
          return TRUE;
        case IDC_CAPTURE_OFF_LIST:
          if (HIWORD(wParam) == LBN_SELCHANGE)
            EnableWindow(GetDlgItem(page, IDC_CAPTURE_OFF_REMOVE),
                         SendMessageA(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0) != LB_ERR);
          return TRUE;
      }
      break;
    case WM_NOTIFY:
      if (IsApply(lParam)) {
        Settings().captureOffApplications = state->captureOff;
        Settings().pauseInFullScreen = Checked(page, IDC_PAUSE_FULL_SCREEN);
        return Applied(page);
      }
      break;
    case WM_DESTROY:
      state->target.reset();
      return FALSE;
  }
  return FALSE;
}

PROPSHEETPAGEA Page(int dialogId, DLGPROC procedure, SheetState& state) {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof page;
  page.hInstance = AppInstance();
  page.pszTemplate = MAKEINTRESOURCEA(dialogId);
  page.pfnDlgProc = procedure;
  page.lParam = reinterpret_cast<LPARAM>(&state);
  return page;
}

// The fields the sheet edits.
struct Edited {
  int32_t drawButton, drawingThreshold, recognitionTolerance;
  bool runAtStartup, playStartSound, startHidden, autoHide, pauseInFullScreen;
  std::vector<ZWindowRule> captureOff;
  ZRecognizerChoice recognizer;

  static Edited Of(const ZSettings& s) {
    return Edited{s.drawButton,     s.drawingThreshold, s.recognitionTolerance, s.runAtStartup,
                  s.playStartSound, s.startHidden,      s.autoHide,             s.pauseInFullScreen,
                  s.captureOffApplications, s.recognizer};
  }
  bool operator==(const Edited& o) const {
    return drawButton == o.drawButton && drawingThreshold == o.drawingThreshold &&
           recognitionTolerance == o.recognitionTolerance && runAtStartup == o.runAtStartup &&
           playStartSound == o.playStartSound && startHidden == o.startHidden && autoHide == o.autoHide &&
           pauseInFullScreen == o.pauseInFullScreen && captureOff == o.captureOff && recognizer == o.recognizer;
  }
};
}  // namespace

bool OpenPreferences(HWND owner, bool* changed) {
  ZModalDialogScope modal;
  SheetState state;
  state.owner = owner;
  PROPSHEETPAGEA pages[] = {Page(IDD_PREFS_DRAWING, SimplePageProc<kDrawingPage>, state),
                            Page(IDD_PREFS_MISC, SimplePageProc<kMiscPage>, state),
                            Page(IDD_PREFS_CAPTURE, CaptureProc, state)};
  const std::string caption = LoadAnsiString(IDS_PREFERENCES, AppInstance());
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
  header.hwndParent = owner;
  header.hInstance = AppInstance();
  header.pszCaption = caption.c_str();
  header.nPages = sizeof pages / sizeof pages[0];
  header.ppsp = pages;
  const Edited before = Edited::Of(Settings());
  const INT_PTR result = PropertySheetA(&header);
  const bool settingsChanged = !(Edited::Of(Settings()) == before);
  if (changed) *changed = settingsChanged;
  if (settingsChanged) NotifySettingsChanged();
  return result >= 0;
}
