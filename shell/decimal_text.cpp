#include "shell/decimal_text.h"

#include <limits>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

template <typename T>
T Saturate(int64_t value) {
  if (value > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  if (value < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  return static_cast<T>(value);
}
}  // namespace

bool ReadDecimal(std::string_view text, size_t& pos, int64_t& value) {
  size_t at = pos;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  if (at >= text.size() || text[at] < '0' || text[at] > '9') return false;
  // Accumulate as a negative number so that INT64_MIN is representable.
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  int64_t accumulated = 0;
  bool overflow = false;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    int digit = text[at] - '0';
    if (accumulated < (kMin + digit) / 10) overflow = true;
    if (!overflow) accumulated = accumulated * 10 - digit;
  }
  if (overflow) {
    value = negative ? kMin : std::numeric_limits<int64_t>::max();
  } else if (negative) {
    value = accumulated;
  } else {
    value = accumulated == kMin ? std::numeric_limits<int64_t>::max() : -accumulated;
  }
  pos = at;
  return true;
}

int64_t DecimalToInt64(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  int64_t value = 0;
  return ReadDecimal(text, pos, value) ? value : 0;
}

int32_t DecimalToInt32(std::string_view text) { return Saturate<int32_t>(DecimalToInt64(text)); }
