// An action view: the actions of one active plug-in. Open, it is a list view
// of symbol icons with the actions' names, where the user renames, deletes,
// cuts, copies and pastes actions and gives them other symbols; collapsed, a
// strip of small symbol silhouettes. Every change is saved to the plug-in's
// file at once. The view owns the plug-in it shows.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "common/gdi_objects.h"
#include "common/key_block.h"
#include "plugins/plugin.h"
#include "ui/action_clipboard.h"
#include "ui/window_element.h"

class ZActionView : public ZWindowElement {
 public:
  using KeySource = std::function<const ZKeyBlock&()>;

  // `key` gives the key of the profile's plug-in files at the time of a save.
  ZActionView(ZElementHost& owner, ZActionClipboard& clipboard, KeySource key);
  ~ZActionView() override;

  ZPlugin* plugin() const { return plugin_.get(); }
  // Destroys the previous plug-in with its actions, takes this one (or
  // none) and shows it.
  void setPlugin(std::unique_ptr<ZPlugin> plugin);
  // Appends the action to the plug-in and the display; with `save` the
  // plug-in is written at once.
  void addAction(std::unique_ptr<ZAction> action, bool save);

  // The container places the view and lends it the background it shows
  // through: `background` is drawn with `offset` at the view's top left.
  void place(const RECT& rect);
  void setBackground(HBITMAP background, POINT offset);
  // Open: the list view exists and shows every action.
  void open(bool yes);
  bool isOpen() const { return list_ != nullptr; }
  HWND listView() const { return list_; }

  // The commands of the view; each does nothing without a plug-in.
  void deleteSelected();  // asks first
  void cut();
  void copy();
  void paste();
  // The view's commands (accelerators, context menu); false for any other.
  bool command(WORD id);
  std::vector<ZAction*> selectedActions() const;
  bool hasSelection() const { return !selectedActions().empty(); }
  const ZActionClipboard& clipboard() const { return clipboard_; }

  // Told after every change that was saved (the hotkeys may have changed).
  void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

  void paint(HDC dc, const RECT& update) override;
  bool contextRequest(UINT flags, POINT point) override;

 private:
  static LRESULT CALLBACK ListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT listMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT listCommand(HWND list, WPARAM wParam, LPARAM lParam);
  void eraseListBackground(HDC dc) const;

  // Where the list view goes: the view less its top edge.
  RECT listRect() const;
  void createList();
  void fillList();
  void layOut();
  int addImage(const ZAction& action);
  void itemClick(UINT flags, POINT point);
  void beginRename(int item);
  void rename(HWND edit);
  void selectOnly(int item);
  void showItemMenu(int item, POINT screen);
  void giveSymbol(int item, const Symbol& symbol);
  // The macro of the item edited in the action wizard; kept and saved when
  // the user finishes.
  void editAction(int item);

  std::vector<int> selectedItems() const;
  ZAction* actionOf(int item) const;
  void removeActions(const std::vector<ZAction*>& doomed);
  // Copies of the selected actions into the clipboard; the selection, or
  // nothing when there is none (the clipboard then stays as it was).
  std::vector<ZAction*> copySelection();
  void saveChanges();
  void refreshAll();

  void paintStrip(HDC dc);
  void buildStrip(HDC dc, int width);
  void dropStrip();
  RECT stripRect() const;

  std::unique_ptr<ZPlugin> plugin_;
  ZActionClipboard& clipboard_;
  KeySource key_;
  HWND list_ = nullptr;
  WNDPROC listProcedure_ = nullptr;
  WNDPROC editProcedure_ = nullptr;
  bool renameCancelled_ = false;
  int renameItem_ = -1;
  HBITMAP background_ = nullptr;  // the container's
  POINT backgroundOffset_ = {};
  ZImageList images_;
  ZBitmap stripMask_;
  ZBitmap stripColour_;
  int stripWidth_ = 0;
  std::function<void()> changed_;
};
