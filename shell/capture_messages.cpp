#include "shell/capture_messages.h"

#include <cstdio>

#include "actions/action.h"
#include "common/string_resource.h"
#include "common/tray_icon.h"
#include "common/window_tree.h"
#include "gesture/hook_library.h"
#include "gesture/precise_recognizer.h"
#include "gesture/symbol_recognizer.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "sound/event_sounds.h"
#include "common/settings.h"
#include "shell/usage_counters.h"

namespace {
constexpr int32_t kRecognitionBox = 100;
constexpr UINT kFeedbackMilliseconds = 2000;
constexpr UINT kCaptureOffWatchMilliseconds = 500;
constexpr int kTextBuffer = 1024;

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

Point GesturePoint(POINT point) { return Point{point.x, point.y}; }
}  // namespace

LRESULT ZCaptureMessages::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // An open editing dialog may be changing the very plug-ins a gesture would
  // use; only a trail drawn before it opened is taken off the screen.
  if (ModalDialogCount() > 0) {
    if (message == WM_HOOK_GESTURE_END || message == WM_HOOK_GESTURE_CANCEL) cancelGesture();
    return 0;
  }
  switch (message) {
    case WM_HOOK_ENABLE:
      if (hook_) hook_->setUserEnable(wParam != 0, true);
      break;
    case WM_HOOK_ARM:
      endCaptureOff();
      plugins_.detectApplicationAt(PointOf(lParam), !trail_.isEmpty(), windowDragged_);
      break;
    case WM_HOOK_CAPTURE_OFF:
      showCaptureOff(static_cast<UINT>(wParam), PointOf(lParam));
      break;
    case WM_HOOK_STROKE_BEGIN:
      beginStroke(PointOf(lParam));
      break;
    case WM_HOOK_STROKE_POINT:
      // A point without a stroke would have nothing to join; the library always begins one first.
      if (!trail_.isEmpty()) trail_.addPoint(GesturePoint(PointOf(lParam)));
      break;
    case WM_HOOK_GESTURE_END:
      endGesture();
      break;
    case WM_HOOK_GESTURE_CANCEL:
      cancelGesture();
      break;
  }
  return 0;
}

void ZCaptureMessages::beginStroke(POINT point) {
  HWND main = MainWindow();
  if (Settings().autoHide && main && TopLevelWindowAt(point) != main) ShowWindow(main, SW_HIDE);
  trail_.beginStroke(GesturePoint(point));
}

ZAction* ZCaptureMessages::recognize() {
  // Without a single point there is nothing to compare: it counts as no match.
  if (trail_.isEmpty()) return nullptr;
  if (Settings().recognizer == ZRecognizerChoice::kPrecise) {
    PreciseRecognizer recognizer(trail_.strokes(), preciseTemplates_);
    return recognizer.recognize(plugins_.candidates());
  }
  SymbolRecognizer recognizer(trail_.strokes(), kRecognitionBox, Settings().recognitionTolerance);
  return recognizer.recognize(plugins_.candidates());
}

void ZCaptureMessages::endGesture() {
  ZAction* winner = recognize();
  trail_.eraseAndClear();
  lastWinner_ = winner;
  if (winner) reportExecuted(*winner);
  else reportNotRecognized();
}

void ZCaptureMessages::cancelGesture() {
  // Given up (Esc, our own Ctrl+V, a release the library never saw): the
  // strokes are no gesture, so nothing is recognised, run, counted or shown.
  trail_.eraseAndClear();
  lastWinner_ = nullptr;
}

void ZCaptureMessages::reportExecuted(ZAction& winner) {
  ZPlugin* application = plugins_.plugin(ZPluginManager::kApplication);
  if (application && winner.plugin() == application) PluginCounters().count(application->id());
  if (winner.symbol()) SymbolCounters().count(static_cast<int32_t>(winner.symbol()->identifier()));
  const std::string format = LoadAnsiString(IDS_ACTION_EXECUTED, AppInstance());
  char text[kTextBuffer] = {};
  snprintf(text, sizeof text, format.c_str(), winner.name().c_str());
  StartAction(winner);
  showFeedback(IDI_ACTION_EXECUTED, text);
}

void ZCaptureMessages::reportNotRecognized() {
  SymbolCounters().count(0);
  if (Settings().playSounds) EventSounds().playEvent(ID_EVENT_SYMBOL_NOT_RECOGNIZED);
  showFeedback(IDI_SYMBOL_NOT_RECOGNIZED, LoadAnsiString(IDS_SYMBOL_NOT_RECOGNIZED, AppInstance()));
}

void ZCaptureMessages::showFeedback(int iconId, const std::string& text) {
  TrayIcon().show(iconId, text);
  if (HWND main = MainWindow()) SetTimer(main, ID_FEEDBACK_TIMER, kFeedbackMilliseconds, nullptr);
}

void ZCaptureMessages::endFeedbackPeriod() {
  if (HWND main = MainWindow()) KillTimer(main, ID_FEEDBACK_TIMER);
  // The capture may have been switched off meanwhile: show what really holds.
  if (hook_) hook_->showCaptureStatus();
  else TrayIcon().show(IDI_CAPTURE_ENABLED, LoadAnsiString(IDS_CAPTURE_ENABLED, AppInstance()));
}

void ZCaptureMessages::showCaptureOff(UINT reason, POINT point) {
  const UINT text = reason == HOOK_CAPTURE_OFF_FULL_SCREEN ? IDS_CAPTURE_PAUSED_FULL_SCREEN : IDS_CAPTURE_OFF_HERE;
  captureOffWindow_ = TopLevelWindowAt(point);
  // Whatever the last gesture reported is over; this holds while the pointer stays.
  if (HWND main = MainWindow()) KillTimer(main, ID_FEEDBACK_TIMER);
  TrayIcon().show(IDI_CAPTURE_DISABLED, LoadAnsiString(text, AppInstance()));
  if (HWND main = MainWindow()) SetTimer(main, ID_CAPTURE_OFF_TIMER, kCaptureOffWatchMilliseconds, nullptr);
}

void ZCaptureMessages::watchCaptureOff() {
  if (!captureOffWindow_) {
    if (HWND main = MainWindow()) KillTimer(main, ID_CAPTURE_OFF_TIMER);
    return;
  }
  POINT cursor;
  if (GetCursorPos(&cursor) && TopLevelWindowAt(cursor) == captureOffWindow_) return;
  endCaptureOff();
  endFeedbackPeriod();  // the normal status again
}

void ZCaptureMessages::endCaptureOff() {
  if (!captureOffWindow_) return;
  captureOffWindow_ = nullptr;
  if (HWND main = MainWindow()) KillTimer(main, ID_CAPTURE_OFF_TIMER);
}

ZCaptureMessages& CaptureMessages() {
  static ZCaptureMessages handler(PluginManager(), nullptr);
  return handler;
}
