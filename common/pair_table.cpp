#include "common/pair_table.h"

#include "common/text_parsing.h"

using namespace text_parsing;

int32_t ZPairTable::value(int32_t key, int32_t fallback) const {
  const auto it = entries_.find(key);
  return it == entries_.end() ? fallback : it->second;
}

void ZPairTable::parse(const char* text, size_t size) {
  entries_.clear();
  const size_t end = TextLength(text, size);
  size_t pos = 0;
  while (pos < end) {
    const size_t start = SkipBlanks(text, pos, end);
    const size_t lineEnd = LineEnd(text, start, end);
    const size_t tab = Find(text, start, lineEnd, '\t');
    if (tab < lineEnd) {
      const auto key = static_cast<int32_t>(ParseDecimal(text, start, tab));
      const size_t valueStart = SkipBlanks(text, tab + 1, lineEnd);
      const auto value = static_cast<int32_t>(ParseDecimal(text, valueStart, lineEnd));
      entries_.emplace(key, value);
    }
    pos = SkipLineBreaks(text, lineEnd, end);
  }
}

std::string ZPairTable::format() const {
  std::string out;
  for (const auto& [key, value] : entries_) {
    out += std::to_string(key);
    out += '\t';
    out += std::to_string(value);
    out += '\n';
  }
  return out;
}
