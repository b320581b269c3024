#include "actions/html_fragment.h"

#include <algorithm>
#include <cstring>

#include "common/utf8.h"

namespace {

constexpr char16_t kBlank = u' ';
constexpr char16_t kReplacement = 0xFFFD;
constexpr unsigned long kMaxCodePoint = 0x10FFFF;

// First occurrence of `key` in [begin, end), or `end`.
const char* Find(const char* begin, const char* end, const char* key) {
  const size_t length = std::strlen(key);
  return std::search(begin, end, key, key + length);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal number right after `key`; false when the key is missing, no
// digit follows, or the number does not fit the data at all.
bool ReadOffset(const char* data, size_t size, const char* key, size_t& offset) {
  const char* end = data + size;
  const char* at = Find(data, end, key);
  if (at == end) return false;
  const char* digit = at + std::strlen(key);
  if (digit == end || !IsDigit(*digit)) return false;
  size_t value = 0;
  for (; digit != end && IsDigit(*digit); ++digit) {
    value = value * 10 + static_cast<size_t>(*digit - '0');
    if (value > size) return false;
  }
  offset = value;
  return true;
}

void AppendCodePoint(unsigned long code, std::u16string& out) {
  if (code == 0) return;  // a NUL would cut the text short for its readers
  if (code > kMaxCodePoint || (code >= 0xD800 && code <= 0xDFFF)) {
    out.push_back(kReplacement);
  } else if (code >= 0x10000) {
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(code));
  }
}

// The character a reference body (the bytes between "&" and ";") stands for.
void AppendReference(const char* begin, const char* end, std::u16string& out) {
  const std::string name(begin, end);
  if (name.size() > 1 && name[0] == '#' &&
      std::all_of(name.begin() + 1, name.end(), IsDigit)) {
    unsigned long code = 0;
    for (size_t i = 1; i < name.size() && code <= kMaxCodePoint; ++i)
      code = code * 10 + static_cast<unsigned long>(name[i] - '0');
    AppendCodePoint(code, out);
  } else if (name == "quot") {
    out.push_back(u'"');
  } else if (name == "amp") {
    out.push_back(u'&');
  } else if (name == "lt") {
    out.push_back(u'<');
  } else if (name == "gt") {
    out.push_back(u'>');
  } else {
    out.push_back(kBlank);
  }
}

// Walks the fragment: tags are dropped, references replaced, other bytes
// collected as UTF-8 runs.
std::u16string ReadFragmentText(const char* at, const char* end) {
  std::u16string out;
  std::string run;
  auto flush = [&] {
    out += Utf8ToUtf16(run);
    run.clear();
  };
  // The next ";" at or after the position, searched for again only once the
  // walk has passed it: a fragment full of bare ampersands must not be
  // scanned to its end once for each of them.
  const char* semicolon = nullptr;
  while (at != end) {
    if (*at == '<') {
      const char* close = std::find(at, end, '>');
      at = close == end ? end : close + 1;
    } else if (*at == '&') {
      if (!semicolon || semicolon < at) semicolon = std::find(at, end, ';');
      if (semicolon == end) {  // a bare ampersand is text
        run.push_back(*at++);
        continue;
      }
      flush();
      AppendReference(at + 1, semicolon, out);
      at = semicolon + 1;
    } else {
      run.push_back(*at++);
    }
  }
  flush();
  return out;
}

}  // namespace

bool ReadHtmlFragment(const char* data, size_t size, std::u16string& text) {
  if (data == nullptr) return false;
  size_t start = 0;
  size_t end = 0;
  if (!ReadOffset(data, size, "StartFragment:", start)) return false;
  if (!ReadOffset(data, size, "EndFragment:", end)) return false;
  if (end < start) return false;
  text = ReadFragmentText(data + start, data + end);
  return true;
}
