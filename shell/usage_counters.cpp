#include "shell/usage_counters.h"

#include <cstdio>
#include <limits>

#include "shell/decimal_text.h"

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

uint32_t ToUnsigned(int64_t value) {
  // %u of a negative number wraps as the C library does; beyond 32 bits saturate.
  if (value > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return 0;
  return static_cast<uint32_t>(value);
}

int32_t ToSigned(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

bool ReadField(std::string_view line, size_t& pos, int64_t& value) {
  while (pos < line.size() && line[pos] == '\t') ++pos;
  return ReadDecimal(line, pos, value);
}
}  // namespace

void ZUsageCounters::count(int32_t key) {
  ZUsageCount& entry = entries_[key];
  ++entry.total;
  ++entry.recent;
}

void ZUsageCounters::clearRecent() {
  for (auto& entry : entries_) entry.second.recent = 0;
}

void ZUsageCounters::parse(std::string_view text) {
  entries_.clear();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && !IsLineEnd(text[end])) ++end;
    std::string_view line = text.substr(pos, end - pos);
    size_t at = 0;
    int64_t key = 0, total = 0, recent = 0;
    if (ReadField(line, at, key) && ReadField(line, at, total) && ReadField(line, at, recent))
      entries_.emplace(ToSigned(key), ZUsageCount{ToUnsigned(total), ToUnsigned(recent)});
    pos = end;
    while (pos < text.size() && IsLineEnd(text[pos])) ++pos;
  }
}

std::string ZUsageCounters::format() const {
  std::string text;
  char line[48];
  for (const auto& entry : entries_) {
    std::snprintf(line, sizeof line, "%d\t%u\t%u\r\n", static_cast<int>(entry.first),
                  static_cast<unsigned>(entry.second.total), static_cast<unsigned>(entry.second.recent));
    text += line;
  }
  return text;
}

ZUsageCounters& PluginCounters() {
  static ZUsageCounters table;
  return table;
}
ZUsageCounters& SymbolCounters() {
  static ZUsageCounters table;
  return table;
}
ZUsageCounters& ServiceCounters() {
  static ZUsageCounters table;
  return table;
}
