#include "shell/main_commands.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "actions/service_list.h"
#include "actions/web_service.h"
#include "common/app_context.h"
#include "common/gdi_objects.h"
#include "common/open_url.h"
#include "common/settings.h"
#include "common/string_resource.h"
#include "gesture/symbol_library.h"
#include "plugins/plugin_manager.h"
#include "resources/zavotra_ids.h"
#include "shell/folders.h"
#include "shell/main_window.h"
#include "shell/profile_commands.h"
#include "shell/profile_dialogs.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/web_commands.h"
#include "ui/action_view.h"
#include "ui/action_wizard.h"
#include "ui/on_off_button.h"
#include "ui/password_manager.h"
#include "ui/plugin_editor.h"
#include "ui/popup_menu.h"
#include "ui/preferences_sheet.h"
#include "ui/service_editor.h"
#include "ui/sound_preferences.h"
#include "ui/symbol_editor.h"
#include "ui/view_container.h"

namespace {
constexpr int kTextBuffer = 1024;
const char kHelpPage[] = "help\\help_main_file.html";

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

using Slot = ZPluginManager::Slot;
}  // namespace

// Every command of the main window. Later dialogs fill in their handler here.
const ZMainCommands::Command ZMainCommands::kCommands[] = {
    {ID_MAIN_MENU_BUTTON, &ZMainCommands::showMainMenu, nullptr},
    {ID_SOUND_BUTTON, &ZMainCommands::soundSwitched, nullptr},
    {ID_HIDE_BUTTON, &ZMainCommands::hideWindow, nullptr},
    {ID_SERVICES_LABEL, &ZMainCommands::servicesLabel, nullptr},
    {ID_COMMON_LABEL, &ZMainCommands::commonLabel, nullptr},
    {ID_APPLICATION_LABEL, &ZMainCommands::applicationLabel, nullptr},
    {IDM_DOWNLOAD_PLUGINS, &ZMainCommands::downloadPlugins, nullptr},
    {IDM_EXCHANGE_NOW, &ZMainCommands::exchangeNow, nullptr},
    {IDM_PASSWORD_MANAGER, &ZMainCommands::passwordManager, nullptr},
    {IDM_PASSWORD_MANAGER_PROFILE, &ZMainCommands::passwordManager, nullptr},
    {IDM_PASSWORD_MANAGER_SERVICES, &ZMainCommands::passwordManager, nullptr},
    {IDM_ABOUT, &ZMainCommands::about, nullptr},
    {IDM_EXIT, &ZMainCommands::exitProgram, nullptr},
    {IDM_HELP, &ZMainCommands::help, &ZMainCommands::helpExists},
    {IDM_NEW_SYMBOL, &ZMainCommands::newSymbol, nullptr},
    {IDM_WEB_SITE, nullptr, nullptr},                   // the vendor's site comes with the web exchange
    {IDM_FEEDBACK, nullptr, nullptr},
    {IDM_PREFERENCES, &ZMainCommands::preferences, nullptr},
    {IDM_NEW_PROFILE, &ZMainCommands::newProfile, nullptr},
    {IDM_SOUND_THEMES, &ZMainCommands::soundThemes, nullptr},
    {IDM_COMMON_NEW_ACTION, &ZMainCommands::newCommonAction, nullptr},
    {IDM_COMMON_DELETE_ACTIONS, &ZMainCommands::deleteCommonActions, &ZMainCommands::commonSelection},
    {IDM_NEW_PLUGIN, &ZMainCommands::newPlugin, nullptr},
    {IDM_APPLICATION_NEW_ACTION, &ZMainCommands::newApplicationAction, &ZMainCommands::applicationPlugin},
    {IDM_APPLICATION_DELETE_ACTIONS, &ZMainCommands::deleteApplicationActions, &ZMainCommands::applicationSelection},
    {IDM_NEW_SERVICE_ACTION, &ZMainCommands::newServiceAction, nullptr},
    {IDM_CHANGE_PASSWORD, &ZMainCommands::changePassword, nullptr},
    {IDM_CUT, &ZMainCommands::cutInView, nullptr},
    {IDM_COPY, &ZMainCommands::copyInView, nullptr},
    {IDM_PASTE, &ZMainCommands::pasteInView, nullptr},
    {IDM_DELETE, &ZMainCommands::deleteInView, nullptr},
};

// The submenus that list what there is to choose from.
const ZMainCommands::List ZMainCommands::kLists[] = {
    {IDM_SWITCH_PLUGIN, ID_SWITCH_PLUGIN_CHOSEN, &ZMainCommands::plugins, &ZMainCommands::switchPlugin},
    {IDM_DELETE_PLUGIN, ID_DELETE_PLUGIN_CHOSEN, &ZMainCommands::plugins, &ZMainCommands::deletePlugin},
    {IDM_EDIT_SYMBOL, ID_EDIT_SYMBOL_CHOSEN, &ZMainCommands::userSymbols, &ZMainCommands::editSymbol},
    {IDM_DELETE_SYMBOL, ID_DELETE_SYMBOL_CHOSEN, &ZMainCommands::userSymbols, &ZMainCommands::deleteSymbol},
    {IDM_SWITCH_PROFILE, ID_SWITCH_PROFILE_CHOSEN, &ZMainCommands::profiles, &ZMainCommands::switchProfile},
    {IDM_DELETE_PROFILE, ID_DELETE_PROFILE_CHOSEN, &ZMainCommands::otherProfiles, &ZMainCommands::deleteProfile},
};

const ZMainCommands::Command* ZMainCommands::FindCommand(WORD id) {
  for (const Command& command : kCommands)
    if (command.id == id) return &command;
  return nullptr;
}

const ZMainCommands::List* ZMainCommands::FindList(WORD submenu) {
  for (const List& list : kLists)
    if (list.submenu == submenu) return &list;
  return nullptr;
}

bool ZMainCommands::enabled(WORD id) const {
  if (const List* list = FindList(id)) {
    std::vector<Listed> entries;
    if (list->run) (this->*list->fill)(list->chosen, entries);
    return !entries.empty();
  }
  const Command* command = FindCommand(id);
  return command && command->run && (!command->available || (this->*command->available)());
}

bool ZMainCommands::run(WORD id, WORD code) {
  const Command* command = FindCommand(id);
  if (!command || !enabled(id)) return false;
  (this->*command->run)(code);
  return true;
}

// --- menus -------------------------------------------------------------------

std::vector<ZMainCommands::Listed> ZMainCommands::listFor(WORD submenuId) const {
  std::vector<Listed> entries;
  if (const List* list = FindList(submenuId)) (this->*list->fill)(list->chosen, entries);
  return entries;
}

void ZMainCommands::fill(HMENU submenu, const List& list, std::vector<Listed>& listed) const {
  while (GetMenuItemCount(submenu) > 0) DeleteMenu(submenu, 0, MF_BYPOSITION);
  std::vector<Listed> entries;
  (this->*list.fill)(list.chosen, entries);
  for (const Listed& entry : entries) {
    if (ID_LISTED_FIRST + listed.size() > ID_LISTED_LAST) break;
    const UINT flags = MF_STRING | (entry.current ? MF_CHECKED | MF_GRAYED : 0);
    AppendMenuA(submenu, flags, ID_LISTED_FIRST + listed.size(), MenuText(entry.text).c_str());
    listed.push_back(entry);
  }
  if (entries.empty())
    AppendMenuA(submenu, MF_STRING | MF_GRAYED, 0, LoadAnsiString(IDS_NO_ENTRIES, AppInstance()).c_str());
}

void ZMainCommands::prepare(HMENU menu, std::vector<Listed>& listed) const {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, i, TRUE, &item) || (item.fType & MFT_SEPARATOR)) continue;
    const WORD id = static_cast<WORD>(item.wID);
    if (item.hSubMenu) {
      if (const List* list = FindList(id)) {
        fill(item.hSubMenu, *list, listed);
        EnableMenuItem(menu, i, MF_BYPOSITION | (enabled(id) ? MF_ENABLED : MF_GRAYED));
      } else {
        prepare(item.hSubMenu, listed);
      }
      continue;
    }
    if (id) EnableMenuItem(menu, i, MF_BYPOSITION | (enabled(id) ? MF_ENABLED : MF_GRAYED));
  }
}

void ZMainCommands::showMenu(UINT menuId, POINT screen) {
  ZMenuHandle resource(LoadMenuA(AppInstance(), MAKEINTRESOURCEA(menuId)));
  HMENU menu = resource ? GetSubMenu(resource.get(), 0) : nullptr;
  if (!menu) return;
  std::vector<Listed> listed;
  prepare(menu, listed);
  const UINT chosen = TrackMenu(menu, window_.handle(), screen);
  if (chosen >= ID_LISTED_FIRST && chosen - ID_LISTED_FIRST < listed.size()) {
    const Listed& entry = listed[chosen - ID_LISTED_FIRST];
    runListed(entry.command, entry.value);
  } else if (chosen) {
    run(static_cast<WORD>(chosen), 0);
  }
}

void ZMainCommands::runListed(WORD command, const std::string& value) {
  for (const List& list : kLists)
    if (list.chosen == command && list.run) {
      (this->*list.run)(value);
      return;
    }
}

// --- buttons and labels ---------------------------------------------------------

void ZMainCommands::showMainMenu(WORD) {
  POINT at;
  GetCursorPos(&at);
  showMenu(IDR_MAIN_MENU, at);
}

void ZMainCommands::soundSwitched(WORD code) {
  // The button also reports the click itself (code 0); only the switch counts.
  if (code == ZOnOffButton::kTurnedOn) Settings().playSounds = true;
  if (code == ZOnOffButton::kTurnedOff) Settings().playSounds = false;
}

void ZMainCommands::hideWindow(WORD) { window_.hide(); }
void ZMainCommands::servicesLabel(WORD) { window_.labelClicked(ZPluginManager::kServices); }
void ZMainCommands::commonLabel(WORD) { window_.labelClicked(ZPluginManager::kCommon); }
void ZMainCommands::applicationLabel(WORD) { window_.labelClicked(ZPluginManager::kApplication); }

// --- menu commands ---------------------------------------------------------------

void ZMainCommands::about(WORD) {
  ZModalDialogScope modal;
  DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_ABOUT), window_.handle(), AboutProc, 0);
}

void ZMainCommands::exitProgram(WORD) { window_.confirmExit(); }

bool ZMainCommands::helpExists() const {
  return GetFileAttributesA((Folders().system + kHelpPage).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ZMainCommands::help(WORD) { OpenUrl(Folders().system + kHelpPage); }

void ZMainCommands::newProfile(WORD) {
  {
    ZModalDialogScope modal;
    RunProfileEditor(window_.handle());
  }
  window_.showSoundSetting();
}

// Each dialog raises the modal counter itself and puts its changes in force.
void ZMainCommands::preferences(WORD) {
  OpenPreferences(window_.handle());
  window_.showSoundSetting();
}

void ZMainCommands::downloadPlugins(WORD) { OpenPluginDownload(window_.handle()); }

void ZMainCommands::exchangeNow(WORD) { RunWebExchange(true); }

void ZMainCommands::soundThemes(WORD) { OpenSoundPreferences(window_.handle()); }

void ZMainCommands::newPlugin(WORD) { OpenPluginEditor(window_.handle()); }

void ZMainCommands::passwordManager(WORD) { RunPasswordManager(window_.handle()); }

// A new web-service action from the service editor; on OK it joins the
// services view under the name of its web site.
void ZMainCommands::newServiceAction(WORD) {
  auto action = std::make_unique<ZWebService>();
  if (!RunServiceEditor(window_.handle(), *action)) return;
  if (const ServiceDefinition* service = WebServices().find(action->serviceId()))
    action->setName(service->displayName());
  window_.view(ZPluginManager::kServices).addAction(std::move(action), true);
}

// A new macro made in the action wizard goes into the plug-in of the view,
// which saves it at once.
void ZMainCommands::newAction(int slot) {
  ZActionView& view = window_.view(static_cast<Slot>(slot));
  if (!view.plugin()) return;
  auto action = std::make_unique<ZMacro>();
  if (!RunActionWizard(window_.handle(), *action)) return;
  view.addAction(std::move(action), true);
}

void ZMainCommands::newCommonAction(WORD) { newAction(ZPluginManager::kCommon); }
void ZMainCommands::newApplicationAction(WORD) { newAction(ZPluginManager::kApplication); }
bool ZMainCommands::applicationPlugin() const { return window_.view(ZPluginManager::kApplication).plugin() != nullptr; }

void ZMainCommands::changePassword(WORD) {
  ZModalDialogScope modal;
  RunChangePassword(window_.handle());
}

bool ZMainCommands::commonSelection() const { return window_.view(ZPluginManager::kCommon).hasSelection(); }

bool ZMainCommands::applicationSelection() const {
  const ZActionView& view = window_.view(ZPluginManager::kApplication);
  return view.plugin() && view.hasSelection();
}

void ZMainCommands::deleteCommonActions(WORD) { window_.view(ZPluginManager::kCommon).deleteSelected(); }
void ZMainCommands::deleteApplicationActions(WORD) { window_.view(ZPluginManager::kApplication).deleteSelected(); }

void ZMainCommands::cutInView(WORD) { window_.view(window_.openSlot()).cut(); }
void ZMainCommands::copyInView(WORD) { window_.view(window_.openSlot()).copy(); }
void ZMainCommands::pasteInView(WORD) { window_.view(window_.openSlot()).paste(); }
void ZMainCommands::deleteInView(WORD) { window_.view(window_.openSlot()).deleteSelected(); }

// --- lists -----------------------------------------------------------------------

void ZMainCommands::plugins(WORD chosen, std::vector<Listed>& out) const {
  for (const auto& entry : PluginManager().catalogue())
    out.push_back(Listed{chosen, entry->name(), entry->fileName(), false});
  std::sort(out.begin(), out.end(),
            [](const Listed& a, const Listed& b) { return lstrcmpiA(a.text.c_str(), b.text.c_str()) < 0; });
}

void ZMainCommands::userSymbols(WORD chosen, std::vector<Listed>& out) const {
  for (const Symbol& symbol : SymbolLibrary().userSymbols())
    if (!symbol.path().empty()) out.push_back(Listed{chosen, symbol.name(), symbol.path(), false});
}

void ZMainCommands::profiles(WORD chosen, std::vector<Listed>& out) const {
  const ZProfile* current = Profiles().current();
  for (const ZProfile& profile : Profiles().profiles())
    out.push_back(Listed{chosen, profile.name, profile.name, current && current->name == profile.name});
  // Only the current profile: nothing to switch to.
  if (out.size() < 2) out.clear();
}

void ZMainCommands::otherProfiles(WORD chosen, std::vector<Listed>& out) const {
  const ZProfile* current = Profiles().current();
  for (const ZProfile& profile : Profiles().profiles())
    if (!current || current->name != profile.name) out.push_back(Listed{chosen, profile.name, profile.name, false});
}

bool ZMainCommands::confirm(UINT questionId, const std::string& name) const {
  char text[kTextBuffer] = {};
  snprintf(text, sizeof text, LoadAnsiString(questionId, AppInstance()).c_str(), name.c_str());
  ZModalDialogScope modal;
  return MessageBoxA(window_.handle(), text, LoadAnsiString(IDS_APP_TITLE, AppInstance()).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ZMainCommands::switchPlugin(const std::string& path) { PluginManager().switchToPlugin(path); }

void ZMainCommands::deletePlugin(const std::string& path) {
  std::string name = path;
  for (const auto& entry : PluginManager().catalogue())
    if (entry->fileName() == path) name = entry->name();
  if (confirm(IDS_CONFIRM_DELETE_PLUGIN, name)) PluginManager().deletePlugin(path);
}

// The editor reloads the user's symbols itself once it saved.
void ZMainCommands::newSymbol(WORD) {
  Symbol made;
  DesignNewSymbol(window_.handle(), made);
}

void ZMainCommands::editSymbol(const std::string& path) { EditUserSymbol(window_.handle(), path); }

void ZMainCommands::deleteSymbol(const std::string& path) {
  std::string name = path;
  for (const Symbol& symbol : SymbolLibrary().userSymbols())
    if (symbol.path() == path) name = symbol.name();
  if (!confirm(IDS_CONFIRM_DELETE_SYMBOL, name)) return;
  DeleteFileA(path.c_str());
  if (ProfileHooks().loadProfileSymbols) ProfileHooks().loadProfileSymbols(Folders().profileSymbols);
}

void ZMainCommands::switchProfile(const std::string& name) {
  {
    ZModalDialogScope modal;  // the password dialog may come up
    SwitchToProfile(name);
  }
  window_.showSoundSetting();
}

void ZMainCommands::deleteProfile(const std::string& name) {
  if (confirm(IDS_CONFIRM_DELETE_PROFILE, name)) DeleteProfile(name);
}
