#include "common/number_list.h"

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one number at `pos`; false when there is none.
bool ReadNumber(const char* text, size_t& pos, size_t size, int32_t& number) {
  size_t at = pos;
  while (at < size && IsSpace(text[at])) ++at;
  bool negative = false;
  if (at < size && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  if (at >= size || !IsDigit(text[at])) return false;
  const int64_t limit = negative ? -int64_t(INT32_MIN) : INT32_MAX;
  int64_t magnitude = 0;
  for (; at < size && IsDigit(text[at]); ++at) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) magnitude = limit;
  }
  number = static_cast<int32_t>(negative ? -magnitude : magnitude);
  pos = at;
  return true;
}

}  // namespace

void ZNumberList::parse(const char* text, size_t size) {
  values_.clear();
  size_t pos = 0;
  int32_t number;
  while (ReadNumber(text, pos, size, number)) values_.push_back(number);
}
