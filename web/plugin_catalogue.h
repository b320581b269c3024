// The catalogue of downloadable plug-ins ("plgndscr" in the system folder)
// and the choice the download wizard makes from it: languages in use, the
// applications of a language and company, and which plug-ins are selected
// and still wanted. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ZCatalogueRecord {
  int32_t id = 0;
  int32_t language = 0;  // a language id of the "languages" list
  int32_t company = 0;   // a company id of the "firms" list
  std::string application;
};

// One record per line: id TAB language TAB company TAB application name,
// then the line end. Leading spaces are skipped; the name runs to the first
// tab, CR or LF. A line whose three numbers are not each followed by a tab
// holds no record. File order is kept.
std::vector<ZCatalogueRecord> ParsePluginCatalogue(const std::string& text);

// Every language of at least one record, ascending, each once.
std::vector<int32_t> LanguagesInUse(const std::vector<ZCatalogueRecord>& records);

// Company 0 stands for any company.
constexpr int32_t kAnyCompany = 0;

// The distinct application names of the records of `language` and
// `company`, in ascending byte order.
std::vector<std::string> ApplicationNames(const std::vector<ZCatalogueRecord>& records, int32_t language,
                                          int32_t company);

struct ZPluginChoice {
  std::vector<int32_t> selected;  // every matching catalogue entry
  std::vector<int32_t> wanted;    // those not downloaded yet
};

// For each application in turn, the records of that name, language and
// company (or any), in file order. `present` is sorted.
ZPluginChoice ChoosePlugins(const std::vector<ZCatalogueRecord>& records, int32_t language, int32_t company,
                            const std::vector<std::string>& applications, const std::vector<int32_t>& present);

// A downloaded plug-in's file name, "wps%06d.zta".
std::string DownloadedPluginName(int32_t id);
// The id a file of the download folder stands for: the number that starts
// at its fourth character, read as atoi reads it (0 when there is none).
int32_t DownloadedPluginId(const std::string& fileName);
