#include "common/stored_values.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  return text;
}

// Leading decimal digits as an unsigned value, saturating; *end is where the
// digits stop (== text when there are none).
unsigned long long ParseDigits(const char* text, const char** end) {
  unsigned long long value = 0;
  while (*text >= '0' && *text <= '9') {
    unsigned digit = static_cast<unsigned>(*text - '0');
    value = value > (ULLONG_MAX - digit) / 10 ? ULLONG_MAX : value * 10 + digit;
    ++text;
  }
  *end = text;
  return value;
}

// One "%u" conversion at *cursor; false, without moving, when no digits follow.
bool ScanUnsigned(const char** cursor, uint32_t* value) {
  const char* text = SkipBlanks(*cursor);
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  const char* end;
  unsigned long long magnitude = ParseDigits(text, &end);
  if (end == text) return false;
  uint32_t clipped = magnitude > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(magnitude);
  *value = negative ? 0u - clipped : clipped;
  *cursor = end;
  return true;
}

}  // namespace

std::string TextUpToFirstNul(const uint8_t* data, size_t size) {
  if (size == 0) return std::string();
  const char* text = reinterpret_cast<const char*>(data);
  const void* nul = std::memchr(text, 0, size);
  const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
  return std::string(text, length);
}

std::string TextUpToFirstNul(const std::vector<uint8_t>& bytes) {
  return TextUpToFirstNul(bytes.data(), bytes.size());
}

int32_t ParseStoredInteger(const std::string& text) {
  const char* cursor = SkipBlanks(text.c_str());
  bool negative = *cursor == '-';
  if (*cursor == '-' || *cursor == '+') ++cursor;
  const char* end;
  unsigned long long magnitude = ParseDigits(cursor, &end);
  if (negative) return magnitude >= 2147483648ull ? INT32_MIN : -static_cast<int32_t>(magnitude);
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

uint32_t ParseStoredUnsigned(const std::string& text) {
  const char* cursor = text.c_str();
  uint32_t value = 0;
  return ScanUnsigned(&cursor, &value) ? value : 0;
}

std::vector<uint32_t> ParseStoredNumberList(const std::string& text, size_t maxCount) {
  std::vector<uint32_t> numbers;
  const char* cursor = text.c_str();
  uint32_t number = 0;
  while (numbers.size() < maxCount && ScanUnsigned(&cursor, &number)) numbers.push_back(number);
  return numbers;
}

bool ParseStoredBoolean(const std::string& literal) { return literal == "true"; }

double ParseStoredVersion(const std::string& text) { return std::atof(text.c_str()); }

bool IsReadableFileVersion(double version) { return version >= 2.0 && version < 3.0; }
