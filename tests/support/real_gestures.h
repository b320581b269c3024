// Gestures drawn by people, read at run time from the logs beside the
// checkout (../shared/gestures): one folder per subject, one per speed inside
// it, one XML file per sample (`<Gesture Name="arrow01" ...>` and then
// `<Point X= Y= T= />` in drawing order). Nothing of them is kept in the
// repository. Only the type (the name without its number) and the points are
// read.
#pragma once
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "gesture/stroke.h"

// Where the build found the logs; the folder may be missing on a machine
// without them.
#ifndef ZAVOTRA_REAL_GESTURES
#define ZAVOTRA_REAL_GESTURES "../shared/gestures"
#endif

// The samples of one subject at one speed.
struct RealGestureSet {
  std::string name;                                       // "s02/fast"
  std::map<std::string, std::vector<Stroke>> samplesByType;  // in file name order
};

namespace real_gestures_detail {

inline std::vector<std::filesystem::path> SortedEntries(const std::filesystem::path& folder,
                                                        bool directories) {
  std::vector<std::filesystem::path> entries;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.is_directory(error) == directories)
      entries.push_back(entry.path());
  std::sort(entries.begin(), entries.end());
  return entries;
}

// The integer after `attribute` at or after `from`, which moves past it.
inline bool IntegerAfter(const std::string& text, const char* attribute, size_t& from, int& value) {
  const size_t at = text.find(attribute, from);
  if (at == std::string::npos)
    return false;
  const char* start = text.c_str() + at + std::char_traits<char>::length(attribute);
  char* end = nullptr;
  value = static_cast<int>(std::strtol(start, &end, 10));
  if (end == start)
    return false;
  from = static_cast<size_t>(end - text.c_str());
  return true;
}

}  // namespace real_gestures_detail

// The points of one sample file's text, in drawing order.
inline Stroke RealGesturePoints(const std::string& text) {
  Stroke points;
  size_t at = 0;
  Point p;
  while (real_gestures_detail::IntegerAfter(text, "X=\"", at, p.x) &&
         real_gestures_detail::IntegerAfter(text, "Y=\"", at, p.y))
    points.push_back(p);
  return points;
}

// "left_curly_brace07" -> "left_curly_brace".
inline std::string RealGestureType(std::string sampleName) {
  while (!sampleName.empty() && std::isdigit(static_cast<unsigned char>(sampleName.back())))
    sampleName.pop_back();
  return sampleName;
}

// Every subject and speed under `folder`, in name order. False when the
// folder holds no samples at all.
inline bool ReadRealGestures(const std::string& folder, std::vector<RealGestureSet>& sets) {
  namespace detail = real_gestures_detail;
  sets.clear();
  for (const auto& subject : detail::SortedEntries(folder, true))
    for (const auto& speed : detail::SortedEntries(subject, true)) {
      RealGestureSet set;
      set.name = subject.filename().string() + "/" + speed.filename().string();
      for (const auto& file : detail::SortedEntries(speed, false)) {
        if (file.extension() != ".xml")
          continue;
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        Stroke points = RealGesturePoints(text.str());
        if (!points.empty())
          set.samplesByType[RealGestureType(file.stem().string())].push_back(std::move(points));
      }
      if (!set.samplesByType.empty())
        sets.push_back(std::move(set));
    }
  return !sets.empty();
}
