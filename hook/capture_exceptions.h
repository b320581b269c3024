// Where the hook library leaves the drawing button to the application: the
// applications the program lists, and full-screen windows while capture
// pauses there. The rules arrive through UpdateCaptureExceptions on the
// program's thread and are handed to the hook thread, which alone asks them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/window_rule.h"
#include "hook/hook_protocol.h"

class CaptureExceptions {
 public:
  CaptureExceptions() = default;
  // A copy of the record; pairs running past its texts are left out.
  static CaptureExceptions FromRecord(const HookCaptureExceptions& record);

  bool empty() const { return rules_.empty() && !pauseInFullScreen_; }
  const std::vector<ZWindowRule>& rules() const { return rules_; }
  bool pausesInFullScreen() const { return pauseInFullScreen_; }

  // A HOOK_CAPTURE_OFF_* reason for a press at the screen point, 0 where
  // capture is on. Sends no message to any window, so that a hook callback
  // may ask it; with no rules and no pause it looks at nothing at all.
  uint32_t reasonAt(POINT point) const;

 private:
  std::vector<ZWindowRule> rules_;
  bool pauseInFullScreen_ = false;
};

// The rules last delivered, for the hook thread to pick up (outside its
// callbacks) when it starts and whenever it is told they changed.
void PublishCaptureExceptions(CaptureExceptions exceptions);
CaptureExceptions PublishedCaptureExceptions();

// The window tests of reasonAt, for a top-level window.
bool IsFullScreenWindow(HWND window);
bool IsDesktopOrShellWindow(HWND window, const std::string& className);
