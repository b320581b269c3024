#include "common/window_rule.h"

#include <windows.h>

#include <cstring>

namespace {
const char kDialogClass[] = "#32770";

bool SameTextIgnoringCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// Byte length of the first `count` characters of a system code page text.
int LeadingCharactersLength(const char* text, int count) {
  const char* end = text;
  for (int i = 0; i < count && *end; ++i) end = CharNextA(end);
  return static_cast<int>(end - text);
}

bool SameFirstFourCharacters(const std::string& a, const std::string& b) {
  const int lengthA = LeadingCharactersLength(a.c_str(), 4);
  const int lengthB = LeadingCharactersLength(b.c_str(), 4);
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), lengthA, b.c_str(), lengthB) ==
         CSTR_EQUAL;
}
}  // namespace

int MatchWindowRule(const std::vector<ZWindowRule>& rules, const std::string& className,
                    const std::function<std::string()>& caption) {
  std::vector<int> byClass;
  for (size_t i = 0; i < rules.size(); ++i)
    if (SameTextIgnoringCase(rules[i].key, className)) byClass.push_back(static_cast<int>(i));
  if (byClass.size() == 1) return byClass.front();

  const std::string text = caption ? caption() : std::string();
  std::vector<int> byCaption;
  if (byClass.empty()) {
    for (size_t i = 0; i < rules.size(); ++i)
      if (SameTextIgnoringCase(rules[i].caption, text)) byCaption.push_back(static_cast<int>(i));
  } else {
    for (int i : byClass)
      if (SameTextIgnoringCase(rules[static_cast<size_t>(i)].caption, text)) byCaption.push_back(i);
  }
  if (byCaption.size() == 1) return byCaption.front();

  if (byClass.empty()) {
    for (size_t i = 0; i < rules.size(); ++i)
      if (SameFirstFourCharacters(rules[i].key, className) && strstr(text.c_str(), rules[i].caption.c_str()))
        return static_cast<int>(i);
    return -1;
  }
  // Dialogs of every program share one class: a guess would be wrong more often than not.
  if (className == kDialogClass) return -1;
  return byClass.front();
}
