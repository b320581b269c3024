// The symbols the program offers: the user's own symbols, loaded from the
// profile's symbol folder with the profile key, and the numbered categories
// of ready-made symbols of the shared symbol library folder.
#pragma once
#include <string>
#include <vector>

#include "common/key_block.h"
#include "gesture/symbol.h"

struct SymbolCategory {
  std::string name;
  std::vector<Symbol> symbols;
};

class ZSymbolLibrary {
 public:
  const std::vector<Symbol>& userSymbols() const { return userSymbols_; }
  const std::vector<SymbolCategory>& categories() const { return categories_; }

  // Replaces the user symbols with every readable "*.zts" of `folder` (given
  // without a trailing backslash), in the order the directory search returns
  // them. Unreadable files are left out silently; a missing folder gives none.
  void loadUserSymbols(const std::string& folder, const ZKeyBlock& key);

  // Replaces the categories: their numbers in display order from "rdr01",
  // their names from "cat01", category n in the folder "NN" of
  // `libraryFolder` (which ends with a backslash), always with the default key.
  void loadCategories(const std::string& libraryFolder);

 private:
  std::vector<Symbol> userSymbols_;
  std::vector<SymbolCategory> categories_;
};

// Every readable symbol file of a folder (see loadUserSymbols).
std::vector<Symbol> LoadSymbolFolder(const std::string& folder, const ZKeyBlock& key);

// The process-wide library.
ZSymbolLibrary& SymbolLibrary();
