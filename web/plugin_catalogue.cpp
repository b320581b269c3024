#include "web/plugin_catalogue.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// A decimal number at `at` (optional sign, digits), saturating at the ends
// of the 32-bit range; false when no digit follows.
bool ReadNumber(const std::string& text, size_t& at, int32_t& value) {
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  const size_t first = at;
  int64_t number = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
    number = std::min<int64_t>(number * 10 + (text[at] - '0'), int64_t(std::numeric_limits<int32_t>::max()) + 1);
    ++at;
  }
  if (at == first) return false;
  if (negative) number = -number;
  value = static_cast<int32_t>(std::clamp<int64_t>(number, std::numeric_limits<int32_t>::min(),
                                                   std::numeric_limits<int32_t>::max()));
  return true;
}

bool ReadField(const std::string& text, size_t& at, int32_t& value) {
  if (!ReadNumber(text, at, value) || at >= text.size() || text[at] != '\t') return false;
  ++at;
  return true;
}

bool Matches(const ZCatalogueRecord& record, int32_t language, int32_t company) {
  return record.language == language && (company == kAnyCompany || record.company == company);
}

}  // namespace

std::vector<ZCatalogueRecord> ParsePluginCatalogue(const std::string& text) {
  std::vector<ZCatalogueRecord> records;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    ZCatalogueRecord record;
    const bool numbers =
        ReadField(text, at, record.id) && ReadField(text, at, record.language) && ReadField(text, at, record.company);
    const size_t nameStart = at;
    while (at < text.size() && text[at] != '\t' && !IsLineEnd(text[at])) ++at;
    if (numbers) {
      record.application = text.substr(nameStart, at - nameStart);
      records.push_back(std::move(record));
    }
    while (at < text.size() && !IsLineEnd(text[at])) ++at;
    while (at < text.size() && IsLineEnd(text[at])) ++at;
  }
  return records;
}

std::vector<int32_t> LanguagesInUse(const std::vector<ZCatalogueRecord>& records) {
  std::vector<int32_t> languages;
  for (const auto& record : records) languages.push_back(record.language);
  std::sort(languages.begin(), languages.end());
  languages.erase(std::unique(languages.begin(), languages.end()), languages.end());
  return languages;
}

std::vector<std::string> ApplicationNames(const std::vector<ZCatalogueRecord>& records, int32_t language,
                                          int32_t company) {
  std::vector<std::string> names;
  for (const auto& record : records)
    if (Matches(record, language, company)) names.push_back(record.application);
  std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned chars
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

ZPluginChoice ChoosePlugins(const std::vector<ZCatalogueRecord>& records, int32_t language, int32_t company,
                            const std::vector<std::string>& applications, const std::vector<int32_t>& present) {
  ZPluginChoice choice;
  for (const std::string& application : applications) {
    for (const auto& record : records) {
      if (!Matches(record, language, company) || record.application != application) continue;
      choice.selected.push_back(record.id);
      if (!std::binary_search(present.begin(), present.end(), record.id)) choice.wanted.push_back(record.id);
    }
  }
  return choice;
}

std::string DownloadedPluginName(int32_t id) {
  char name[32];
  std::snprintf(name, sizeof name, "wps%06d.zta", static_cast<int>(id));
  return name;
}

int32_t DownloadedPluginId(const std::string& fileName) {
  if (fileName.size() < 4) return 0;
  size_t at = 3;
  while (at < fileName.size() && (fileName[at] == ' ' || fileName[at] == '\t')) ++at;
  int32_t id = 0;
  return ReadNumber(fileName, at, id) ? id : 0;
}
