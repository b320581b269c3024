// The capture status the tray shows: an icon resource and a tip text. Kept
// process-wide so that the hook library object can set it before the tray
// exists, and the tray picks it up (and every later change) when it does.
#pragma once
#include <string>

struct CaptureStatus {
  int iconId = 0;
  std::string text;
};

CaptureStatus CurrentCaptureStatus();
void SetCaptureStatus(const CaptureStatus& status);

// Told of every new status, on the thread that set it. One listener; null
// removes it.
using CaptureStatusListener = void (*)(const CaptureStatus& status);
void SetCaptureStatusListener(CaptureStatusListener listener);
