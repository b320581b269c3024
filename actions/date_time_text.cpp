#include "actions/date_time_text.h"

#include <cstdio>

namespace {

// Date formats: the separator, whether the month comes first, whether the
// year is written in full.
struct DateLayout {
  char separator;
  bool monthFirst;
  bool fullYear;
};

constexpr DateLayout kDateLayouts[kDateTextFormatCount] = {
    {'/', true, false},  {'.', true, false},  {'-', true, false},
    {'/', true, true},   {'.', true, true},   {'-', true, true},
    {'/', false, false}, {'.', false, false}, {'-', false, false},
    {'/', false, true},  {'.', false, true},  {'-', false, true},
};

// Time formats, one printf pattern each; the 12-hour ones take the suffix last.
constexpr const char* kTimePatterns[kTimeTextFormatCount] = {
    "%02d:%02d",          "%d:%02d",          "%02d:%02d:%02d",    "%d:%02d:%02d",
    "%02d.%02d",          "%d.%02d",          "%02d.%02d.%02d",    "%d.%02d.%02d",
    "%02d:%02d %s",       "%d:%02d %s",       "%02d:%02d:%02d %s", "%d:%02d:%02d %s",
    "%02d.%02d %s",       "%d.%02d %s",       "%02d.%02d.%02d %s", "%d.%02d.%02d %s",
};

bool HasSeconds(int format) { return (format / 2) % 2 == 1; }
bool IsTwelveHour(int format) { return format >= 8; }

std::string YearText(int year, bool fullYear) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d", year);
  std::string full(buffer);
  return fullYear || full.size() < 2 ? full : full.substr(full.size() - 2);
}

}  // namespace

bool FormatDateText(int format, int day, int month, int year, std::string& text) {
  if (format < 0 || format >= kDateTextFormatCount) return false;
  const DateLayout& layout = kDateLayouts[format];
  const int first = layout.monthFirst ? month : day;
  const int second = layout.monthFirst ? day : month;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%s", first, layout.separator, second,
                layout.separator, YearText(year, layout.fullYear).c_str());
  text = buffer;
  return true;
}

bool FormatTimeText(int format, int hour, int minute, int second, std::string& text) {
  if (format < 0 || format >= kTimeTextFormatCount) return false;
  const char* pattern = kTimePatterns[format];
  char buffer[48];
  if (IsTwelveHour(format)) {
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const char* suffix = hour < 12 ? "AM" : "PM";
    if (HasSeconds(format))
      std::snprintf(buffer, sizeof buffer, pattern, hour12, minute, second, suffix);
    else
      std::snprintf(buffer, sizeof buffer, pattern, hour12, minute, suffix);
  } else if (HasSeconds(format)) {
    std::snprintf(buffer, sizeof buffer, pattern, hour, minute, second);
  } else {
    std::snprintf(buffer, sizeof buffer, pattern, hour, minute);
  }
  text = buffer;
  return true;
}
