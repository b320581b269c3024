// Driving the program's own popup menus from a thread of the test while the
// code under test sits in a menu's modal loop: find the open menu of this
// process, note its entries (also those of its submenus) and choose an entry
// the way the pointer does, or close the menu. Windows tests only.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ui/menu.h"

namespace menu_detail {
struct Search {
  ZMenu* found = nullptr;
};

inline BOOL CALLBACK FindRoot(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  ZMenu* menu = process == GetCurrentProcessId() && IsWindowVisible(window) ? ZMenu::FromWindow(window) : nullptr;
  if (menu && !menu->parent()) {
    reinterpret_cast<Search*>(data)->found = menu;
    return FALSE;
  }
  return TRUE;
}
}  // namespace menu_detail

// The open root menu of this process, or null.
inline ZMenu* FindOpenMenu() {
  menu_detail::Search search;
  EnumWindows(menu_detail::FindRoot, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline bool WaitForCondition(const std::function<bool()>& condition, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 10) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

inline POINT CellCentre(const ZMenu& menu, size_t index) {
  const RECT& cell = menu.cellAt(index);
  return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

inline void PostPointer(HWND window, UINT message, POINT at) {
  PostMessageA(window, message, 0, MAKELPARAM(at.x, at.y));
}

// Waits for the menu, reads it, then chooses the entries of `path` in turn
// (texts; a symbol item goes by its symbol's name), or closes the menu
// without a choice when `path` is empty.
class ZMenuDriver {
 public:
  struct Entry {
    UINT id;
    std::string text;
    bool enabled;
    std::vector<Entry> submenu;
  };

  explicit ZMenuDriver(std::vector<std::string> path = {}) : path_(std::move(path)), thread_([this] { run(); }) {}
  ~ZMenuDriver() { join(); }
  ZMenuDriver(const ZMenuDriver&) = delete;
  ZMenuDriver& operator=(const ZMenuDriver&) = delete;

  // Waits until the menu was seen and answered (or 20 s passed).
  const std::vector<Entry>& entries() {
    join();
    return entries_;
  }
  const Entry* find(const std::string& text) {
    join();
    return Find(entries_, text);
  }
  // Whether every entry of the path was found and chosen.
  bool followed() {
    join();
    return followed_;
  }

  static std::string TextOf(const ZMenuItem& item) {
    if (auto* text = dynamic_cast<const ZTextMenuItem*>(&item)) return text->text();
    if (auto* symbol = dynamic_cast<const ZSymbolMenuItem*>(&item)) return symbol->symbol().name();
    if (auto* site = dynamic_cast<const ZWebsiteMenuItem*>(&item)) return site->name();
    return "";
  }

 private:
  static const Entry* Find(const std::vector<Entry>& entries, const std::string& text) {
    for (const Entry& entry : entries) {
      if (entry.text == text) return &entry;
      if (const Entry* inside = Find(entry.submenu, text)) return inside;
    }
    return nullptr;
  }

  static std::vector<Entry> Read(const ZMenu& menu) {
    std::vector<Entry> entries;
    for (size_t i = 0; i < menu.entryCount(); ++i) {
      const ZMenuItem* item = menu.itemAt(i);
      if (!item) continue;
      Entry entry{item->id(), TextOf(*item), !item->disabled(), {}};
      if (item->submenu()) entry.submenu = Read(*item->submenu());
      entries.push_back(entry);
    }
    return entries;
  }

  static int IndexOf(const ZMenu& menu, const std::string& text) {
    for (size_t i = 0; i < menu.entryCount(); ++i)
      if (menu.itemAt(i) && TextOf(*menu.itemAt(i)) == text) return static_cast<int>(i);
    return -1;
  }

  void join() {
    if (thread_.joinable()) thread_.join();
  }

  void run() {
    ZMenu* root = nullptr;
    if (!WaitForCondition([&] { return (root = FindOpenMenu()) != nullptr; }, 20000)) return;
    Sleep(20);  // let the menu finish opening
    entries_ = Read(*root);
    if (path_.empty()) {
      PostMessageA(root->window(), WM_COMMAND, IDCANCEL, 0);
      return;
    }
    ZMenu* menu = root;
    for (size_t step = 0; step < path_.size(); ++step) {
      const int index = IndexOf(*menu, path_[step]);
      if (index < 0 || !menu->window()) break;
      const POINT at = CellCentre(*menu, static_cast<size_t>(index));
      PostPointer(menu->window(), WM_MOUSEMOVE, at);
      if (step + 1 == path_.size()) {
        PostPointer(menu->window(), WM_LBUTTONUP, at);
        followed_ = true;
        return;
      }
      ZMenu* submenu = menu->itemAt(static_cast<size_t>(index))->submenu();
      if (!submenu || !WaitForCondition([&] { return submenu->window() && IsWindowVisible(submenu->window()); }, 5000))
        break;
      menu = submenu;
    }
    PostMessageA(root->window(), WM_COMMAND, IDCANCEL, 0);  // a path not found leaves nothing open
  }

  std::vector<std::string> path_;
  std::vector<Entry> entries_;
  bool followed_ = false;
  std::thread thread_;
};
