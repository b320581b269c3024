#include "ui/symbol_library_menu.h"

#include "common/app_context.h"
#include "common/string_resource.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"
#include "ui/popup_menu.h"

void ZSymbolLibraryMenu::add(HMENU menu, const std::vector<Symbol>& symbols) {
  for (const Symbol& symbol : symbols) {
    if (ID_LISTED_FIRST + listed_.size() > ID_LISTED_LAST) return;
    AppendMenuA(menu, MF_STRING, ID_LISTED_FIRST + listed_.size(), MenuText(symbol.name()).c_str());
    listed_.push_back(&symbol);
  }
}

HMENU ZSymbolLibraryMenu::build() {
  listed_.clear();
  HMENU symbols = CreatePopupMenu();
  const ZSymbolLibrary& library = SymbolLibrary();
  if (!library.userSymbols().empty()) {
    HMENU mine = CreatePopupMenu();
    add(mine, library.userSymbols());
    AppendMenuA(symbols, MF_POPUP, reinterpret_cast<UINT_PTR>(mine), LoadAnsiString(IDS_MY_SYMBOLS, AppInstance()).c_str());
    if (!library.categories().empty()) AppendMenuA(symbols, MF_SEPARATOR, 0, nullptr);
  }
  for (const SymbolCategory& category : library.categories()) {
    HMENU sub = CreatePopupMenu();
    add(sub, category.symbols);
    AppendMenuA(symbols, MF_POPUP | (category.symbols.empty() ? MF_GRAYED : 0), reinterpret_cast<UINT_PTR>(sub),
                MenuText(category.name).c_str());
  }
  return symbols;
}

const Symbol* ZSymbolLibraryMenu::chosen(UINT command) const {
  if (command < ID_LISTED_FIRST || command - ID_LISTED_FIRST >= listed_.size()) return nullptr;
  return listed_[command - ID_LISTED_FIRST];
}
