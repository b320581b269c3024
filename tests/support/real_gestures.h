// Gestures drawn by people, for tests and benchmarks: the logs beside the
// checkout (../shared/gestures), read at run time by the same reader the
// evaluation tool uses. Nothing of them is kept in the repository.
#pragma once
#include <string>
#include <vector>

#include "tools/recognizer_evaluation/gesture_logs.h"

// Where the build found the logs (zavotra_real_gestures() in CMake); the
// folder may be missing on a machine without them.
#ifndef ZAVOTRA_REAL_GESTURES
#define ZAVOTRA_REAL_GESTURES "../shared/gestures"
#endif

// The samples of one subject at one speed.
using RealGestureSet = GestureLogSet;

inline bool ReadRealGestures(const std::string& folder, std::vector<RealGestureSet>& sets) {
  return ReadGestureLogs(folder, sets);
}

// The logs of ZAVOTRA_REAL_GESTURES, read once; empty when absent.
inline const std::vector<RealGestureSet>& RealGestures() {
  static const std::vector<RealGestureSet> sets = [] {
    std::vector<RealGestureSet> read;
    ReadRealGestures(ZAVOTRA_REAL_GESTURES, read);
    return read;
  }();
  return sets;
}
