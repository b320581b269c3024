// The commands of the main window's buttons and menus, in one table. A
// command whose dialog is not part of the program yet has no handler: the
// menus show it disabled, never as an entry that does nothing. Submenus that
// list plug-ins, symbols or profiles are filled when their menu opens.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class ZMainWindow;

class ZMainCommands {
 public:
  explicit ZMainCommands(ZMainWindow& window) : window_(window) {}

  // WM_COMMAND of the main window (`code` is the high word). False for a
  // command of no table entry or one that is disabled now.
  bool run(WORD id, WORD code);
  bool enabled(WORD id) const;

  // Menu resource `menuId` at `screen`, prepared as described above; the
  // choice is carried out.
  void showMenu(UINT menuId, POINT screen);

  // A filled submenu entry: `text` shown, `value` (a path or a profile name)
  // handed to the command when chosen.
  struct Listed {
    WORD command;
    std::string text;
    std::string value;
    bool current;  // checked and not chosen again (the current profile)
  };
  // The entries of submenu `submenuId` as the menus would list them now.
  std::vector<Listed> listFor(WORD submenuId) const;
  // The chosen entry of a submenu: `command` is one of 5012 to 5017.
  void runListed(WORD command, const std::string& value);

 private:
  using Handler = void (ZMainCommands::*)(WORD code);
  using Condition = bool (ZMainCommands::*)() const;
  using Filler = void (ZMainCommands::*)(WORD chosen, std::vector<Listed>& out) const;
  using ValueHandler = void (ZMainCommands::*)(const std::string& value);
  struct Command {
    WORD id;
    Handler run;           // null: the dialog it opens is not part of the program yet
    Condition available;   // null: always
  };
  struct List {
    WORD submenu;
    WORD chosen;
    Filler fill;
    ValueHandler run;      // null: disabled, as for commands
  };
  static const Command kCommands[];
  static const List kLists[];
  static const Command* FindCommand(WORD id);
  static const List* FindList(WORD submenu);

  void prepare(HMENU menu, std::vector<Listed>& listed) const;
  void fill(HMENU submenu, const List& list, std::vector<Listed>& listed) const;

  // Buttons and labels.
  void showMainMenu(WORD code);
  void soundSwitched(WORD code);
  void hideWindow(WORD code);
  void servicesLabel(WORD code);
  void commonLabel(WORD code);
  void applicationLabel(WORD code);
  // Menu commands.
  void about(WORD code);
  void exitProgram(WORD code);
  void help(WORD code);
  void newProfile(WORD code);
  void changePassword(WORD code);
  void preferences(WORD code);
  void soundThemes(WORD code);
  void newPlugin(WORD code);
  void passwordManager(WORD code);
  void newServiceAction(WORD code);
  void newSymbol(WORD code);
  void newAction(int slot);
  void newCommonAction(WORD code);
  void newApplicationAction(WORD code);
  bool applicationPlugin() const;
  void downloadPlugins(WORD code);
  void exchangeNow(WORD code);
  void deleteCommonActions(WORD code);
  void deleteApplicationActions(WORD code);
  // Accelerators that reach the window itself go to the open view.
  void cutInView(WORD code);
  void copyInView(WORD code);
  void pasteInView(WORD code);
  void deleteInView(WORD code);
  bool helpExists() const;
  bool commonSelection() const;
  bool applicationSelection() const;

  // Lists and what their entries do.
  void plugins(WORD chosen, std::vector<Listed>& out) const;
  void userSymbols(WORD chosen, std::vector<Listed>& out) const;
  void profiles(WORD chosen, std::vector<Listed>& out) const;
  void otherProfiles(WORD chosen, std::vector<Listed>& out) const;
  void switchPlugin(const std::string& path);
  void deletePlugin(const std::string& path);
  void editSymbol(const std::string& path);
  void deleteSymbol(const std::string& path);
  void switchProfile(const std::string& name);
  void deleteProfile(const std::string& name);
  bool confirm(UINT questionId, const std::string& name) const;

  ZMainWindow& window_;
};
