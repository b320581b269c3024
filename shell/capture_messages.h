// The main window's side of a gesture: the capture layer's messages (switch,
// arm, stroke begin, stroke point, gesture end, gesture cancel), hotkeys, and
// the feedback period after a gesture. Runs on the user-interface thread only.
#pragma once
#include <windows.h>

#include <string>

#include "gesture/ink_trail.h"
#include "gesture/precise_templates.h"

class HookLibrary;
class ZAction;
class ZPluginManager;

class ZCaptureMessages {
 public:
  ZCaptureMessages(ZPluginManager& plugins, HookLibrary* hook) : plugins_(plugins), hook_(hook) {}
  ZCaptureMessages(const ZCaptureMessages&) = delete;
  ZCaptureMessages& operator=(const ZCaptureMessages&) = delete;

  void setHookLibrary(HookLibrary* hook) { hook_ = hook; }
  // Set while the user drags the main window by its background: no
  // application detection then.
  void setWindowDragged(bool dragged) { windowDragged_ = dragged; }

  // Any of the program's own messages (WM_USER up to 0x7FFE); always 0.
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Timer 2: the normal status again.
  void endFeedbackPeriod();
  // Timer 3, while the status says why capture is off for a window: once
  // the pointer has left that window, the normal status again.
  void watchCaptureOff();
  // The window the status says capture is off for; null when it says nothing of the kind.
  HWND captureOffWindow() const { return captureOffWindow_; }

  const InkTrail& trail() const { return trail_; }
  // What the last gesture started; null when nothing matched.
  const ZAction* lastWinner() const { return lastWinner_; }

 private:
  void beginStroke(POINT point);
  void endGesture();
  void cancelGesture();
  ZAction* recognize();
  void reportExecuted(ZAction& winner);
  void reportNotRecognized();
  void showFeedback(int iconId, const std::string& text);
  void showCaptureOff(UINT reason, POINT point);
  void endCaptureOff();

  ZPluginManager& plugins_;
  HookLibrary* hook_;
  InkTrail trail_;
  // The stored shapes as the precise recognizer compares them, kept between
  // gestures; it notices symbols that changed meanwhile.
  PreciseTemplateCache preciseTemplates_;
  bool windowDragged_ = false;
  ZAction* lastWinner_ = nullptr;
  HWND captureOffWindow_ = nullptr;
};

// The process-wide handler, made with the main window.
ZCaptureMessages& CaptureMessages();
