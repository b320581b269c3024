// Tokens of the form scripts that web services carry: blanks (spaces only)
// separate them, seven punctuation characters stand alone, and everything
// else is a word, a number or a quoted string.
#pragma once
#include <cstdint>
#include <string>

enum class ScriptTokenType {
  End,
  Semicolon,
  Dot,
  Open,
  Close,
  OpenBracket,
  CloseBracket,
  Equals,
  Word,
  Number,
};

struct ScriptToken {
  ScriptTokenType type = ScriptTokenType::End;
  // The word's bytes (a quoted string without its quotes), or the number's
  // run as written.
  std::string text;
  // A number's value: its leading decimal digits, held at kMaxNumber rather
  // than overflowing.
  int32_t number = 0;

  bool isWord(const char* word) const { return type == ScriptTokenType::Word && text == word; }
};

class ScriptTokenizer {
 public:
  static constexpr int32_t kMaxNumber = INT32_MAX;

  explicit ScriptTokenizer(const std::string& script) : script_(script) {}
  ScriptToken next();

 private:
  ScriptToken quoted();
  ScriptToken run();

  const std::string& script_;
  size_t at_ = 0;
};
