// The settings record of the current profile: one process-wide instance,
// loaded when the profile opens and saved with it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/window_rule.h"

// Which recognizer reads a finished gesture: the symbol recognizer with its
// tolerance, or the precise recognizer, which also refuses what resembles
// none of the symbols.
enum class ZRecognizerChoice { kStandard, kPrecise };

struct ZSettings {
  bool firstTime = true;
  bool applicationDetection = true;
  bool runAtStartup = true;
  bool autoHide = true;
  int32_t drawButton = -1;  // 1 left, 0 middle, -1 right
  int32_t deviceType = 0;
  std::string exeFolder;
  bool playSounds = true;
  int64_t ncx = 0;          // FILETIME of the next web exchange; the clock when loaded without one
  std::string soundFolder;
  std::string soundTheme;   // string 251 when loaded without one
  bool startHidden = true;
  bool playStartSound = true;
  int32_t drawingThreshold = 8;
  int32_t recognitionTolerance = 30;
  int32_t windowX = 2147483647;
  int32_t windowY = 2147483647;
  // Applications where gesture capture is off, matched by window class and
  // caption as application plug-ins are. With pauseInFullScreen on, capture
  // pauses over any full-screen window instead, and these applications are
  // the ones that keep it there.
  std::vector<ZWindowRule> captureOffApplications;
  bool pauseInFullScreen = false;
  ZRecognizerChoice recognizer = ZRecognizerChoice::kStandard;
};

// The process-wide record.
ZSettings& Settings();
