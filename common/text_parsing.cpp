#include "common/text_parsing.h"

namespace text_parsing {

size_t TextLength(const char* text, size_t size) { return Find(text, 0, size, '\0'); }

size_t LineEnd(const char* text, size_t pos, size_t end) {
  while (pos < end && text[pos] != '\r' && text[pos] != '\n') ++pos;
  return pos;
}

size_t SkipLineBreaks(const char* text, size_t pos, size_t end) {
  while (pos < end && (text[pos] == '\r' || text[pos] == '\n')) ++pos;
  return pos;
}

size_t SkipBlanks(const char* text, size_t pos, size_t end) {
  while (pos < end && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

size_t Find(const char* text, size_t pos, size_t end, char c) {
  while (pos < end && text[pos] != c) ++pos;
  return pos;
}

uint32_t ParseDecimal(const char* text, size_t pos, size_t end) {
  bool negative = false;
  if (pos < end && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  uint32_t value = 0;
  for (; pos < end && text[pos] >= '0' && text[pos] <= '9'; ++pos)
    value = value * 10u + static_cast<uint32_t>(text[pos] - '0');
  return negative ? 0u - value : value;
}

}  // namespace text_parsing
