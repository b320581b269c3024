#include "ui/symbol_library_menu.h"

#include "common/app_context.h"
#include "common/string_resource.h"
#include "gesture/symbol_library.h"
#include "resources/zavotra_ids.h"

ZSymbolsMenu::ZSymbolsMenu(const std::vector<Symbol>& symbols, UINT id) {
  for (const Symbol& symbol : symbols) addItem(std::make_unique<ZSymbolMenuItem>(symbol, id));
}

ZSymbolLibraryMenu::ZSymbolLibraryMenu(UINT id) {
  setRowLimit(kRowLimit);
  const ZSymbolLibrary& library = SymbolLibrary();
  if (!library.userSymbols().empty()) {
    auto mine = std::make_unique<ZTextMenuItem>(LoadAnsiString(IDS_MY_SYMBOLS, AppInstance()), 0);
    ZTextMenuItem& added = *mine;
    addItem(std::move(mine));
    addSymbols(added, library.userSymbols(), id);
    addItem(nullptr);
  }
  for (const SymbolCategory& category : library.categories()) {
    auto named = std::make_unique<ZTextMenuItem>(category.name, 0);
    ZTextMenuItem& added = *named;
    addItem(std::move(named));
    addSymbols(added, category.symbols, id);
  }
}

void ZSymbolLibraryMenu::addSymbols(ZTextMenuItem& item, const std::vector<Symbol>& symbols, UINT id) {
  // An empty category has nothing to open: its entry is shown disabled.
  if (symbols.empty()) {
    item.setDisabled(true);
    return;
  }
  auto grid = std::make_unique<ZSymbolsMenu>(symbols, id);
  sources_.emplace_back(grid.get(), &symbols);
  attachSubmenu(item, std::move(grid));
}

const Symbol* ZSymbolLibraryMenu::chosenSymbol(const ZMenuItem* item) const {
  if (!item) return nullptr;
  for (const auto& [menu, symbols] : sources_) {
    if (item->owner() != menu) continue;
    for (size_t i = 0; i < menu->entryCount() && i < symbols->size(); ++i)
      if (menu->itemAt(i) == item) return &(*symbols)[i];
  }
  return nullptr;
}

const Symbol* ZSymbolLibraryMenu::choose(HWND owner, POINT screen) {
  ZSymbolLibraryMenu menu(0);
  menu.setPostsCommand(false);
  return menu.chosenSymbol(menu.popup(owner, RECT{screen.x, screen.y, screen.x, screen.y}, true));
}
