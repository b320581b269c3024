#include "tools/recognizer_evaluation/gesture_logs.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// The number after `attribute="` at or after `from`; false at the end.
bool NumberAfter(const std::string& text, const char* attribute, size_t& from, int& value) {
  const size_t at = text.find(attribute, from);
  if (at == std::string::npos) return false;
  const char* start = text.c_str() + at + std::char_traits<char>::length(attribute);
  char* end = nullptr;
  const double number = std::strtod(start, &end);
  if (end == start) return false;
  value = static_cast<int>(number < 0 ? number - 0.5 : number + 0.5);
  from = static_cast<size_t>(end - text.c_str());
  return true;
}

std::vector<fs::path> SortedEntries(const fs::path& folder, bool directories) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    if (entry.is_directory() == directories) entries.push_back(entry.path());
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::string WholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

Stroke PointsOfGestureLog(const std::string& text) {
  Stroke points;
  size_t from = 0;
  while ((from = text.find("<Point", from)) != std::string::npos) {
    int x = 0, y = 0;
    size_t at = from;
    if (!NumberAfter(text, "X=\"", at, x) || !NumberAfter(text, "Y=\"", at, y)) break;
    points.push_back(Point{x, y});
    from = at;
  }
  return points;
}

std::string GestureTypeOf(const std::string& sampleName) {
  size_t end = sampleName.size();
  while (end > 0 && sampleName[end - 1] >= '0' && sampleName[end - 1] <= '9') --end;
  return sampleName.substr(0, end);
}

bool ReadGestureLogs(const std::string& folder, std::vector<GestureLogSet>& sets) {
  sets.clear();
  for (const fs::path& subject : SortedEntries(folder, true)) {
    for (const fs::path& speed : SortedEntries(subject, true)) {
      GestureLogSet set;
      set.name = subject.filename().string() + "/" + speed.filename().string();
      for (const fs::path& file : SortedEntries(speed, false)) {
        if (file.extension() != ".xml") continue;
        Stroke points = PointsOfGestureLog(WholeFile(file));
        if (!points.empty()) set.samplesByType[GestureTypeOf(file.stem().string())].push_back(std::move(points));
      }
      if (!set.samplesByType.empty()) sets.push_back(std::move(set));
    }
  }
  return !sets.empty();
}
