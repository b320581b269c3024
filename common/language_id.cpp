#include "common/language_id.h"

namespace {

// Primary language and sub-language numbers of the Windows LANGID.
constexpr uint16_t kLangChinese = 0x04;
constexpr uint16_t kSubLangChineseSimplified = 0x02;

struct Language {
  const char* name;
  uint16_t primaryLanguage;
  int groupIndex;
};

// Indexed by id - 1.
constexpr Language kLanguages[] = {
    {"English", 0x09, 1},    {"French", 0x0C, 1},     {"Japanese", 0x11, 11},
    {"Italian", 0x10, 1},    {"German", 0x07, 1},     {"Danish", 0x06, 1},
    {"Spanish", 0x0A, 1},    {"Portuguese", 0x16, 1}, {"Dutch", 0x13, 1},
    {"Chinese", kLangChinese, 14},
    {"Simplified Chinese", kLangChinese, 13},
};
constexpr int kSimplifiedChinese = 11;
constexpr int kChinese = 10;

constexpr uint32_t kGroupIds[] = {1, 2, 13, 17, 3, 5, 16, 4, 12, 15, 7, 8, 10, 9, 11, 6, 14};

bool Known(int id) { return id >= LanguageId::kFirst && id <= LanguageId::kLast; }

}  // namespace

int LanguageId::FromName(const std::string& name) {
  for (int id = kFirst; id <= kLast; ++id)
    if (name == kLanguages[id - 1].name) return id;
  return kUnknown;
}

std::string LanguageId::Name(int id) { return Known(id) ? kLanguages[id - 1].name : ""; }

int LanguageId::FromWindowsLanguage(uint16_t langId) {
  const uint16_t primary = langId & 0x3FF;
  if (primary == kLangChinese)
    return (langId >> 10) == kSubLangChineseSimplified ? kSimplifiedChinese : kChinese;
  for (int id = kFirst; id <= kLast; ++id)
    if (kLanguages[id - 1].primaryLanguage == primary) return id;
  return kUnknown;
}

int LanguageId::GroupIndex(int id) { return Known(id) ? kLanguages[id - 1].groupIndex : -1; }

uint32_t LanguageGroupId(int groupIndex) {
  constexpr int count = sizeof kGroupIds / sizeof kGroupIds[0];
  return groupIndex >= 1 && groupIndex <= count ? kGroupIds[groupIndex - 1] : 0;
}
