#include "gesture/symbol_library.h"

#include <windows.h>

#include <cstdio>

#include "common/default_key.h"
#include "common/errors.h"
#include "common/find_handle.h"
#include "common/id_text_table.h"
#include "common/number_list.h"
#include "gesture/symbol_file.h"

namespace {

const char kSymbolPattern[] = "\\*.zts";
const char kOrderFile[] = "rdr01";
const char kNamesFile[] = "cat01";
constexpr size_t kMaxFolderPath = 259;

// Category n lives in the library folder's sub-folder "NN" (at least two digits).
bool CategoryFolder(const std::string& libraryFolder, uint32_t number, std::string& folder) {
  char path[kMaxFolderPath + 1];
  const int length = std::snprintf(path, sizeof path, "%s%02u", libraryFolder.c_str(), number);
  if (length < 0 || static_cast<size_t>(length) > kMaxFolderPath) return false;
  folder.assign(path, static_cast<size_t>(length));
  return true;
}

}  // namespace

std::vector<Symbol> LoadSymbolFolder(const std::string& folder, const ZKeyBlock& key) {
  std::vector<Symbol> symbols;
  WIN32_FIND_DATAA found;
  ZFindHandle search(FindFirstFileA((folder + kSymbolPattern).c_str(), &found));
  if (!search.valid()) return symbols;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    try {
      symbols.push_back(LoadSymbolFile(folder + "\\" + found.cFileName, key));
    } catch (const ZReadError&) {
      // One damaged or foreign file must not hide the others.
    }
  } while (FindNextFileA(search.get(), &found));
  return symbols;
}

void ZSymbolLibrary::loadUserSymbols(const std::string& folder, const ZKeyBlock& key) {
  userSymbols_ = LoadSymbolFolder(folder, key);
}

void ZSymbolLibrary::loadCategories(const std::string& libraryFolder) {
  categories_.clear();
  ZNumberList order;
  order.read("%s%s", libraryFolder.c_str(), kOrderFile);  // a missing file gives no numbers
  ZIdTextTable names;
  names.read((libraryFolder + kNamesFile).c_str());  // a missing file gives no names
  const ZKeyBlock libraryKey = DefaultKey().withUsedLength(ZKeyBlock::kServiceLength);
  for (const int32_t value : order.values()) {
    const uint32_t number = static_cast<uint32_t>(value);
    SymbolCategory category;
    if (const std::string* name = names.find(number)) category.name = *name;
    std::string folder;
    if (CategoryFolder(libraryFolder, number, folder)) category.symbols = LoadSymbolFolder(folder, libraryKey);
    categories_.push_back(std::move(category));
  }
}

ZSymbolLibrary& SymbolLibrary() {
  static ZSymbolLibrary library;
  return library;
}
