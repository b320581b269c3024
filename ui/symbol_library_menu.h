// The symbol pickers built from the program's own menus. ZSymbolsMenu shows
// a list of symbols as a grid of silhouettes; ZSymbolLibraryMenu lists
// "My Symbols" (when the user has any) and the library's categories, each
// opening a ZSymbolsMenu.
#pragma once
#include <windows.h>

#include <utility>
#include <vector>

#include "ui/column_menu.h"
#include "ui/matrix_menu.h"

class Symbol;

// One item per symbol, in list order, all with the command `id`.
class ZSymbolsMenu : public ZMatrixMenu {
 public:
  ZSymbolsMenu(const std::vector<Symbol>& symbols, UINT id);
};

class ZSymbolLibraryMenu : public ZColumnMenu {
 public:
  // The library's symbols as they are now; each symbol item has command `id`.
  explicit ZSymbolLibraryMenu(UINT id);

  // Shows the library's symbols at `screen` for `owner` (modal) and returns
  // the symbol chosen, or null when the user chose none. The symbol is the
  // one in the process-wide symbol library (SymbolLibrary()): valid until
  // the library is reloaded, so copy it to keep it. Nothing is posted to
  // `owner`. This is the call for any "choose a symbol" button.
  static const Symbol* choose(HWND owner, POINT screen);

  // The library symbol that `item` (from this menu's tree) shows, or null
  // for any other item. For callers that put this menu into a larger one.
  const Symbol* chosenSymbol(const ZMenuItem* item) const;
  // Whether the library offered any symbol at all.
  bool empty() const { return sources_.empty(); }

 private:
  void addSymbols(ZTextMenuItem& item, const std::vector<Symbol>& symbols, UINT id);

  // Each symbols menu with the library list its items show.
  std::vector<std::pair<const ZMenu*, const std::vector<Symbol>*>> sources_;
};
