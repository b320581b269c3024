#include "actions/credential_table.h"

#include <algorithm>
#include <cstdio>

#include "common/secure_wipe.h"
#include "common/text_parsing.h"

namespace {

using namespace text_parsing;

void WipePairs(CredentialTable::Pairs& pairs) {
  for (CredentialPair& pair : pairs) {
    SecureWipe(pair.login);
    SecureWipe(pair.password);
  }
}

bool IsFieldEnd(char c) { return c == '\t' || c == '\r' || c == '\n'; }

// Appends `field` without the characters that would end it on reading.
void AppendField(std::string& out, const std::string& field) {
  for (char c : field)
    if (!IsFieldEnd(c)) out.push_back(c);
}

// Reads the pairs of one line starting at `pos` (at the TAB before the
// first login) up to `end`.
void ParsePairs(const char* text, size_t pos, size_t end, uint32_t count, CredentialTable::Pairs& pairs) {
  // Room for all at once: a vector that grows frees copies of short secrets.
  pairs.reserve(std::min<size_t>(count, (end - pos) / 2 + 1));
  for (uint32_t i = 0; i < count && pos < end && text[pos] == '\t'; ++i) {
    const size_t loginEnd = Find(text, pos + 1, end, '\t');
    CredentialPair pair;
    pair.login.assign(text + pos + 1, loginEnd - pos - 1);
    pos = loginEnd;
    if (pos < end) {
      size_t passwordEnd = pos + 1;
      while (passwordEnd < end && !IsFieldEnd(text[passwordEnd])) ++passwordEnd;
      pair.password.assign(text + pos + 1, passwordEnd - pos - 1);
      pos = passwordEnd;
    }
    pairs.push_back(std::move(pair));
  }
}

bool IsDigitAt(const char* text, size_t pos, size_t end) {
  return pos < end && text[pos] >= '0' && text[pos] <= '9';
}

}  // namespace

const CredentialTable::Pairs* CredentialTable::find(uint32_t key) const {
  const auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : &found->second;
}

CredentialTable::Pairs* CredentialTable::find(uint32_t key) {
  const auto found = entries_.find(key);
  return found == entries_.end() ? nullptr : &found->second;
}

void CredentialTable::replace(uint32_t key, const CredentialPair& pair) {
  Pairs& pairs = entries_[key];
  WipePairs(pairs);
  pairs.assign(1, pair);
}

bool CredentialTable::remove(uint32_t key) {
  const auto found = entries_.find(key);
  if (found == entries_.end()) return false;
  WipePairs(found->second);
  entries_.erase(found);
  return true;
}

void CredentialTable::clear() {
  for (auto& entry : entries_) WipePairs(entry.second);
  entries_.clear();
}

void CredentialTable::parse(const char* text, size_t size) {
  clear();
  const size_t end = TextLength(text, size);
  size_t pos = 0;
  while (pos < end) {
    const size_t lineEnd = LineEnd(text, pos, end);
    pos = SkipBlanks(text, pos, lineEnd);
    if (IsDigitAt(text, pos, lineEnd)) {
      const uint32_t key = ParseDecimal(text, pos, lineEnd);
      size_t at = pos;
      while (IsDigitAt(text, at, lineEnd)) ++at;
      if (at < lineEnd && text[at] == '\t' && IsDigitAt(text, at + 1, lineEnd)) {
        const uint32_t count = ParseDecimal(text, at + 1, lineEnd);
        for (++at; IsDigitAt(text, at, lineEnd); ++at) {}
        Pairs pairs;
        ParsePairs(text, at, lineEnd, count, pairs);
        Pairs& entry = entries_[key];
        WipePairs(entry);
        entry = std::move(pairs);
      }
    }
    pos = SkipLineBreaks(text, lineEnd, end);
  }
}

std::string CredentialTable::format() const {
  // Sized first: a buffer that grows leaves copies of the secrets behind.
  size_t size = 0;
  for (const auto& entry : entries_) {
    size += 24;
    for (const CredentialPair& pair : entry.second) size += 2 + pair.login.size() + pair.password.size();
  }
  std::string out;
  out.reserve(size);
  for (const auto& entry : entries_) {
    char head[32];
    std::snprintf(head, sizeof head, "%u\t%u", static_cast<unsigned>(entry.first),
                  static_cast<unsigned>(entry.second.size()));
    out += head;
    for (const CredentialPair& pair : entry.second) {
      out.push_back('\t');
      AppendField(out, pair.login);
      out.push_back('\t');
      AppendField(out, pair.password);
    }
    out.push_back('\n');
  }
  return out;
}

bool CredentialsComplete(const CredentialTable& table, uint32_t key, size_t logins) {
  const CredentialTable::Pairs* pairs = table.find(key);
  if (!pairs || pairs->size() != logins) return false;
  for (const CredentialPair& pair : *pairs)
    if (pair.login.empty()) return false;
  return true;
}

CredentialTable& Credentials() {
  static CredentialTable table;
  return table;
}
