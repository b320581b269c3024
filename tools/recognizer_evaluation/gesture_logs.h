// Reader of the public gesture logs in ../shared/gestures: one folder per
// subject, one per speed inside it, one XML file per sample
// (`<Gesture Name="arrow01" ...>` then `<Point X= Y= T= />` in drawing
// order). Only what the evaluation needs is read: the type (the name without
// its sample number) and the points.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "gesture/stroke.h"

// The samples of one subject at one speed, by gesture type.
struct GestureLogSet {
  std::string name;  // "s02/fast"
  std::map<std::string, std::vector<Stroke>> samplesByType;
};

// Every subject and speed under `folder`, in name order; the samples of a
// type in file name order. Files without points are left out. False when
// the folder holds no samples at all.
bool ReadGestureLogs(const std::string& folder, std::vector<GestureLogSet>& sets);

// The points of one sample file's text, in order.
Stroke PointsOfGestureLog(const std::string& text);
// "left_curly_brace07" -> "left_curly_brace".
std::string GestureTypeOf(const std::string& sampleName);
