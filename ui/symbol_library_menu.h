// The symbol library as a system popup menu: "My Symbols" and one submenu
// per category, each symbol an entry. The program's own menu classes will
// draw it one day; until then the system's menus show it.
#pragma once
#include <windows.h>

#include <vector>

class Symbol;

class ZSymbolLibraryMenu {
 public:
  // A new popup menu of the library's symbols, numbered from ID_LISTED_FIRST;
  // the caller owns it (or the menu it is appended to).
  HMENU build();
  bool empty() const { return listed_.empty(); }
  // The symbol of a chosen command, or null for any other command.
  const Symbol* chosen(UINT command) const;

 private:
  void add(HMENU menu, const std::vector<Symbol>& symbols);

  std::vector<const Symbol*> listed_;
};
