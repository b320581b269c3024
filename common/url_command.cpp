#include "common/url_command.h"

#include <ctype.h>

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  for (size_t i = 0; prefix[i]; ++i) {
    if (i >= text.size()) return false;
    if (tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string GuessUrlScheme(const std::string& text) {
  if (StartsWithNoCase(text, "www")) return "http";
  if (StartsWithNoCase(text, "ftp")) return "ftp";
  if (text.find('@') != std::string::npos) return "mailto";
  return "http";
}

bool IsPlainScheme(const std::string& scheme) {
  if (scheme.empty()) return false;
  for (char c : scheme) {
    if (!isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

HandlerCommand SplitHandlerCommand(const std::string& command) {
  HandlerCommand split;
  size_t rest;
  if (!command.empty() && command[0] == '"') {
    size_t close = command.find('"', 1);
    if (close == std::string::npos) close = command.size();
    split.program = command.substr(1, close - 1);
    rest = close < command.size() ? close + 1 : close;
  } else {
    rest = command.find(' ');
    if (rest == std::string::npos) rest = command.size();
    split.program = command.substr(0, rest);
  }
  while (rest < command.size() && command[rest] == ' ') ++rest;
  split.parameters = command.substr(rest);
  return split;
}

std::string InsertIntoParameters(const std::string& parameters, const std::string& text) {
  size_t placeholder = parameters.find('%');
  if (placeholder == std::string::npos) {
    return parameters.empty() ? text : parameters + " " + text;
  }
  std::string result = parameters;
  // A "%" at the very end stands alone.
  size_t length = placeholder + 1 < parameters.size() ? 2 : 1;
  result.replace(placeholder, length, text);
  return result;
}
