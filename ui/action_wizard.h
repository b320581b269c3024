// The action wizard: edits a macro action page by page (its name, symbol
// and hotkey, and its commands), with a tree of the action beside the pages
// that jumps to any part of it and orders the commands.
//
// The commands are edited on copies: each command item of the tree carries
// the macro's command as it was (null for one added here) and the edited
// copy (made when its page is first shown). Finish rebuilds the macro's
// command list in tree order from them; Cancel drops them and gives the
// action back its name, symbol and hotkey, so the macro is as it was.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "actions/macro.h"
#include "common/gdi_objects.h"
#include "ui/wizard.h"

class Symbol;

class ActionWizard : public Wizard {
 public:
  class PageBase;
  class NamePage;
  class SymbolPage;
  class CommandPage;
  class ApplicationPage;
  class LaunchPage;
  class TextPage;
  class MenuPage;
  class HotkeyPage;
  class InternetPage;
  class SoundPage;
  class SoundPlayPage;
  class SoundStopPage;
  class SoundThemePage;
  class SoundOptionsPage;
  class MiscellaneousPage;

  ActionWizard(HWND owner, ZMacro& macro);
  ~ActionWizard() override;

  ZMacro& macro() const { return macro_; }
  HWND tree() const;
  // The command item whose page is or was last shown; null when none.
  HTREEITEM currentItem() const { return current_; }
  // The command items, in tree order.
  std::vector<HTREEITEM> commandItems() const;
  // What an item will give the macro at Finish: the edited command when
  // there is one, else the unedited copy; null for a root.
  const ZCommand* commandOf(HTREEITEM item) const;
  // The edited command of an item, made from the unedited copy the first
  // time; null for a root.
  ZCommand* editedCommand(HTREEITEM item);
  // Whether the item's command was added in this wizard.
  bool isNewCommand(HTREEITEM item) const;

  // A new command of the kind, after the existing ones, made the current
  // and selected item (without showing its page); null for an unknown kind.
  HTREEITEM createCommand(int typeId);
  // Deletes the current command item and both of its commands.
  void removeCurrentCommand();
  // Moves the selected command item before its previous or after its next
  // sibling; false when there is none.
  bool moveSelected(bool up);
  // Gives the action a copy of the symbol and shows it on the symbol page.
  void setSymbol(const Symbol& symbol);
  // The item's label again (a system command names its function).
  void relabel(HTREEITEM item);
  // Back, Next and the tree enabled; Finish only for a complete action.
  void updateButtons();
  // A name, a symbol and at least one command.
  bool actionComplete() const;

  INT_PTR handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void onInit(HWND window) override;
  void onDestroy() override;
  bool onCommand(int controlId, int code, HWND control) override;
  LRESULT onNotify(NMHDR* header) override;
  void finish() override;
  void cancel() override;

 private:
  struct CommandPair {
    std::unique_ptr<ZCommand> unedited;  // null for a command added here
    std::unique_ptr<ZCommand> edited;    // null until its page was shown
  };
  // The action as it came in, for Cancel.
  struct Original {
    std::string name;
    std::unique_ptr<Symbol> symbol;
    uint16_t hotkey = 0;
  };

  void addPages();
  void buildTree();
  HTREEITEM addRoot(UINT textId);
  HTREEITEM insertCommandItem(HTREEITEM after, CommandPair* pair);
  CommandPair* pairOf(HTREEITEM item) const;
  void deleteCommandItem(HTREEITEM item);
  void selectSilently(HTREEITEM item);
  void selectionChanged(HTREEITEM item);
  void showPageOf(HTREEITEM item);
  void keyInTree(WORD key);
  void enableArrow(int buttonId, bool enabled);
  // The tree's selection follows the page shown by Back and Next.
  void followPage(int pageId);
  void beginDrag(const NMTREEVIEWA& view);
  void moveDrag(POINT client);
  void endDrag();
  void rebuildMacro();
  void restoreAction();
  std::string typedName() const;

  ZMacro& macro_;
  Original original_;
  std::vector<std::unique_ptr<CommandPair>> pairs_;
  HTREEITEM nameRoot_ = nullptr;
  HTREEITEM symbolRoot_ = nullptr;
  HTREEITEM commandsRoot_ = nullptr;
  HTREEITEM current_ = nullptr;
  ZImageList images_;
  ZImageList dragImage_;
  ZBitmap arrows_[4];
  // Set while the tree is filled or changed by the wizard itself: its
  // selection changes then show no page.
  bool quiet_ = false;
  bool dragging_ = false;
  NamePage* namePage_ = nullptr;
  SymbolPage* symbolPage_ = nullptr;
};

// Runs the wizard on the macro: true when the user finished it, false when
// cancelled (the macro is then as it was).
bool RunActionWizard(HWND owner, ZMacro& macro);
