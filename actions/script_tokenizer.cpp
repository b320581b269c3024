#include "actions/script_tokenizer.h"

#include <cstring>

namespace {

constexpr char kDelimiters[] = " .;[]()=";

bool IsDelimiter(char c) { return c != '\0' && std::strchr(kDelimiters, c) != nullptr; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

ScriptTokenType PunctuationType(char c) {
  switch (c) {
    case ';': return ScriptTokenType::Semicolon;
    case '.': return ScriptTokenType::Dot;
    case '(': return ScriptTokenType::Open;
    case ')': return ScriptTokenType::Close;
    case '[': return ScriptTokenType::OpenBracket;
    case ']': return ScriptTokenType::CloseBracket;
    case '=': return ScriptTokenType::Equals;
    default: return ScriptTokenType::End;
  }
}

// The value of the leading digits, as the C library's atoi reads them, but
// saturated: a script's "99999999999" must not overflow.
int32_t LeadingNumber(const std::string& run) {
  int64_t value = 0;
  for (char c : run) {
    if (!IsDigit(c)) break;
    value = value * 10 + (c - '0');
    if (value >= ScriptTokenizer::kMaxNumber) return ScriptTokenizer::kMaxNumber;
  }
  return static_cast<int32_t>(value);
}

}  // namespace

ScriptToken ScriptTokenizer::next() {
  while (at_ < script_.size() && script_[at_] == ' ') ++at_;
  if (at_ >= script_.size()) return {};
  const char c = script_[at_];
  if (c == '"') return quoted();
  if (IsDelimiter(c)) {
    ++at_;
    ScriptToken token;
    token.type = PunctuationType(c);
    return token;
  }
  return run();
}

// A string runs to the next double quote; a backslash keeps itself and the
// character after it. One left open ends with the script.
ScriptToken ScriptTokenizer::quoted() {
  ScriptToken token;
  token.type = ScriptTokenType::Word;
  ++at_;
  while (at_ < script_.size() && script_[at_] != '"') {
    if (script_[at_] == '\\' && at_ + 1 < script_.size()) token.text.push_back(script_[at_++]);
    token.text.push_back(script_[at_++]);
  }
  if (at_ < script_.size()) ++at_;  // the closing quote
  return token;
}

ScriptToken ScriptTokenizer::run() {
  const size_t begin = at_;
  while (at_ < script_.size() && !IsDelimiter(script_[at_])) ++at_;
  ScriptToken token;
  token.text = script_.substr(begin, at_ - begin);
  if (IsDigit(token.text[0])) {
    token.type = ScriptTokenType::Number;
    token.number = LeadingNumber(token.text);
  } else {
    token.type = ScriptTokenType::Word;
  }
  return token;
}
