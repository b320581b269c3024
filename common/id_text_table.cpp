#include "common/id_text_table.h"

#include "common/text_parsing.h"

using namespace text_parsing;

const std::string* ZIdTextTable::find(uint32_t id) const {
  const auto it = entries_.find(id);
  return it == entries_.end() ? nullptr : &it->second;
}

void ZIdTextTable::parse(const char* text, size_t size) {
  entries_.clear();
  const size_t end = TextLength(text, size);
  size_t pos = 0;
  while (pos < end) {
    const size_t start = SkipBlanks(text, pos, end);
    const size_t lineEnd = LineEnd(text, start, end);
    const size_t tab = Find(text, start, lineEnd, '\t');
    if (tab < lineEnd) {
      const uint32_t id = ParseDecimal(text, start, tab);
      size_t textEnd = tab + 1;
      while (textEnd < lineEnd && text[textEnd] != '\t') ++textEnd;
      entries_.emplace(id, std::string(text + tab + 1, textEnd - tab - 1));
    }
    pos = SkipLineBreaks(text, lineEnd, end);
  }
}

std::string ZIdTextTable::format() const {
  std::string out;
  for (const auto& [id, text] : entries_) {
    out += std::to_string(id);
    out += '\t';
    out.append(text, 0, text.find_first_of(std::string("\t\r\n\0", 4)));
    out += '\n';
  }
  return out;
}
