// Arbitrary stream bytes through the parsing of the stored value kinds. Each
// is checked against the C library's own reading (strtoll / strtoull, which
// saturate instead of overflowing) and against writing the value back the
// way the program writes it.
#include <cerrno>
#include <cinttypes>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/stored_values.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  return text;
}

// atoi's reading, saturated to 32 bits, by the C library.
int32_t ReferenceInteger(const std::string& text) {
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// One "%u": the digits after blanks and a sign, saturated, a minus wrapping.
uint32_t ReferenceUnsigned(const std::string& text) {
  const char* at = SkipBlanks(text.c_str());
  const bool negative = *at == '-';
  if (*at == '-' || *at == '+') ++at;
  if (*at < '0' || *at > '9') return 0;
  const unsigned long long value = std::strtoull(at, nullptr, 10);
  const uint32_t clipped = value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
  return negative ? 0u - clipped : clipped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> exact(data, data + size);  // ASan sees reads past it
  const std::string text = TextUpToFirstNul(exact.data(), exact.size());
  Require(text.size() <= size);
  Require(text.find('\0') == std::string::npos);
  Require(std::memcmp(text.data(), data, text.size()) == 0);
  Require(text.size() == size || data[text.size()] == 0);

  const int32_t integer = ParseStoredInteger(text);
  Require(integer == ReferenceInteger(text));
  char written[32];
  std::snprintf(written, sizeof written, "%" PRId32, integer);
  Require(ParseStoredInteger(written) == integer);

  const uint32_t number = ParseStoredUnsigned(text);
  Require(number == ReferenceUnsigned(text));
  std::snprintf(written, sizeof written, "%" PRIu32, number);
  Require(ParseStoredUnsigned(written) == number);

  const size_t maxCount = size ? data[0] % 8 : 4;
  const std::vector<uint32_t> list = ParseStoredNumberList(text, maxCount);
  Require(list.size() <= maxCount);
  if (!list.empty()) Require(list.front() == number);
  std::string listText;
  for (uint32_t n : list) listText += (listText.empty() ? "" : " ") + std::to_string(n);
  Require(ParseStoredNumberList(listText, maxCount) == list);

  Require(ParseStoredBoolean(text) == (text == "true"));
  const double version = ParseStoredVersion(text);
  if (IsReadableFileVersion(version)) Require(version >= 2.0 && version < 3.0);
  return 0;
}
