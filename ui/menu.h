// The program's own popup menus: translucent, owner-painted windows holding
// a tree of menus and items. A menu object lives on without its window: it
// is closed (no window), open as the root of a tree (modal, or modeless for
// a caller that pumps its own messages) or open as a submenu (modeless,
// created when its item is hovered, hidden when the pointer leaves the item,
// destroyed with its parent's window). Subclasses lay the items out.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "common/gdi_objects.h"
#include "ui/menu_item.h"
#include "ui/menu_layout.h"
#include "ui/menu_style.h"

class ZMenu {
 public:
  ZMenu();
  virtual ~ZMenu();
  ZMenu(const ZMenu&) = delete;
  ZMenu& operator=(const ZMenu&) = delete;

  // Appends an entry (an item, or a separator for null); its index.
  size_t addItem(std::unique_ptr<ZMenuItem> item);
  // The item with `id` here or in a submenu, depth first; null if none.
  ZMenuItem* findItem(UINT id);
  // Destroys the first item with `id` (and its submenu); false if none.
  bool removeItem(UINT id);
  // Gives `item` (an item of this menu) the submenu, destroying a previous one.
  void attachSubmenu(ZMenuItem& item, std::unique_ptr<ZMenu> submenu);
  // A clone of `style` here and in every submenu.
  void setStyle(const ZMenuStyle& style);
  const ZMenuStyle& style() const { return *style_; }
  // Whether choosing an item posts its command to the owner window (the
  // default). Callers that act on popup's result switch it off.
  void setPostsCommand(bool on) { postsCommand_ = on; }

  // Opens the menu for `owner` next to `anchor` (screen coordinates). A
  // modal popup returns the chosen item, or null when the menu was closed
  // without a choice; a modeless one, and one already open, returns null.
  ZMenuItem* popup(HWND owner, const RECT& anchor, bool modal);
  // Hides the window, un-highlights the hovered item, closes open submenus.
  void close();

  HWND window() const { return window_; }
  ZMenu* parent() const { return parent_; }
  size_t entryCount() const { return entries_.size(); }
  // The entry's item (null for a separator) and its cell in the window.
  ZMenuItem* itemAt(size_t index) const { return entries_[index].item.get(); }
  const RECT& cellAt(size_t index) const { return entries_[index].cell; }
  int hoveredIndex() const { return hovered_; }
  // The menu of one of its windows, or null for any other window.
  static ZMenu* FromWindow(HWND window);

 protected:
  struct Entry {
    std::unique_ptr<ZMenuItem> item;
    RECT cell = {};
  };

  virtual void measure();
  virtual void arrange() = 0;
  virtual void paint(HDC dc, const RECT& area);
  virtual void track(POINT at);
  virtual void timer(UINT_PTR id);
  // The window hides or goes: stop what runs only while it shows.
  virtual void hiding() {}
  // The entries' measured sizes, in order (separators have no item).
  std::vector<ZEntrySize> entrySizes() const;
  // Takes the cells and item rectangles of `layout`.
  void applyLayout(const ZMenuLayout& layout);
  // After a change of items, layout or scroll position.
  void dropCache() { cache_.reset(); }
  void repaint(const RECT& area);
  void repaintAll();
  // Hides (or destroys) the windows of the open submenus.
  void closeSubmenus();
  void destroySubmenuWindows();
  bool hasSubmenus() const;
  // Draws the mark of an item that opens a submenu (in a column menu).
  virtual void drawSubmenuMark(HDC, const Entry&) const {}

  std::vector<Entry> entries_;
  std::unique_ptr<ZMenuStyle> style_;
  ZItemStatistics statistics_;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool handle(UINT message, WPARAM wParam, LPARAM lParam);
  void created(HWND window);
  void destroyed();
  void mouse(UINT message, POINT at);
  void buttonUp(POINT at);
  // Ends the whole tree: the root's modal loop returns `chosen`.
  void endTree(ZMenuItem* chosen);
  void choose(ZMenuItem& item);
  ZMenu& root();
  bool inTree(HWND window);
  void placeWindow(const RECT& anchor);
  void saveBackground();
  void setHovered(int index);
  int entryAt(POINT at) const;
  void paintWindow(HDC target, const RECT& area);
  bool blendsOverBackground() const;

  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  ZMenu* parent_ = nullptr;
  int hovered_ = -1;
  bool modal_ = false;
  bool postsCommand_ = true;
  ZMenuItem* chosen_ = nullptr;
  ZBitmap background_;  // the screen behind the window, for blending
  ZBitmap cache_;       // the whole window with nothing highlighted
};
