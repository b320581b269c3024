#include "plugins/plugin_manager.h"

#include <cstring>

#include "actions/web_service.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "common/find_handle.h"
#include "common/string_resource.h"
#include "common/window_rule.h"
#include "common/window_tree.h"
#include "plugins/connecting_dialog.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "common/settings.h"

namespace {
constexpr int kTextBuffer = 1024;
const char kServicesFile[] = "services.ztc";
const char kCommonFile[] = "common.ztc";
const char kMenuClass[] = "#32768";
const char kDesktopClass[] = "#32769";

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string WindowCaption(HWND window) {
  char text[kTextBuffer] = {};
  GetWindowTextA(window, text, kTextBuffer);
  return text;
}

std::string FormatLabel(UINT id, const std::string& name) {
  const std::string format = LoadAnsiString(id, AppInstance());
  char text[kTextBuffer] = {};
  // The name comes from a plug-in file: never let it act as a format.
  snprintf(text, sizeof text, format.c_str(), name.c_str());
  return text;
}

void AppendActions(const ZPlugin* plugin, std::vector<ZAction*>& out) {
  if (!plugin) return;
  for (const auto& action : plugin->actions()) out.push_back(action.get());
}
}  // namespace

UINT TranslateHotkeyModifiers(uint32_t flags) {
  if (flags > 15) return flags;
  UINT modifiers = 0;
  if (flags & 1) modifiers |= MOD_SHIFT;
  if (flags & 2) modifiers |= MOD_CONTROL;
  if (flags & 4) modifiers |= MOD_ALT;
  if (flags & 8) modifiers |= MOD_WIN;
  return modifiers;
}

ZPluginManager::ZPluginManager() : keySource_([]() -> const ZKeyBlock& { return DefaultKey(); }) {}

void ZPluginManager::reloadCatalogue(const std::string& folder) {
  catalogue_.clear();
  // The window detected last may have a plug-in now, or lose the one it had:
  // the next press over it must look again.
  lastDetected_ = nullptr;
  catalogueFolder_ = WithTrailingBackslash(folder);
  WIN32_FIND_DATAA found;
  ZFindHandle find(FindFirstFileA((catalogueFolder_ + "*.zta").c_str(), &found));
  if (!find.valid()) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    auto entry = std::make_unique<ZPlugin>();
    try {
      entry->readHeader(catalogueFolder_ + found.cFileName, key());
    } catch (const ZReadError&) {
      continue;  // an unreadable file is simply not offered
    }
    catalogue_.push_back(std::move(entry));
  } while (FindNextFileA(find.get(), &found));
}

std::unique_ptr<ZPlugin> ZPluginManager::loadInFull(const std::string& path, const ZPlugin* reference) const {
  auto plugin = std::make_unique<ZPlugin>();
  plugin->read(path, reference, key());
  return plugin;
}

std::unique_ptr<ZPlugin> ZPluginManager::findPluginForWindow(HWND window, const std::string& className) const {
  std::vector<ZWindowRule> rules;
  rules.reserve(catalogue_.size());
  for (const auto& entry : catalogue_) rules.push_back(ZWindowRule{entry->key(), entry->caption()});
  const int chosen = MatchWindowRule(rules, className, [window] { return WindowCaption(window); });
  if (chosen < 0) return nullptr;
  return loadInFull(catalogue_[static_cast<size_t>(chosen)]->fileName(), nullptr);
}

void ZPluginManager::showIn(Slot slot, ZPluginDisplay* display) {
  ZPluginHolder& holder = holders_[slot];
  if (!display) {
    displays_[slot] = &holder;
    return;
  }
  displays_[slot] = display;
  display->setPlugin(holder.take());
  display->setLabel(labels_[slot]);
}

void ZPluginManager::setSlot(Slot slot, std::unique_ptr<ZPlugin> plugin, const std::string& label) {
  labels_[slot] = label;
  displays_[slot]->setLabel(label);
  displays_[slot]->setPlugin(std::move(plugin));
}

void ZPluginManager::setApplicationPlugin(std::unique_ptr<ZPlugin> plugin) {
  const std::string label = plugin ? FormatLabel(IDS_SPECIFIC_ACTIONS, plugin->name())
                                   : LoadAnsiString(IDS_NO_SPECIFIC_ACTIONS, AppInstance());
  setSlot(kApplication, std::move(plugin), label);
}

void ZPluginManager::detectApplicationAt(POINT point, bool gestureInProgress, bool windowDragged) {
  if (gestureInProgress || windowDragged || !Settings().applicationDetection) return;
  HWND window = TopLevelWindowAt(point);
  if (!window || window == lastDetected_ || window == MainWindow()) return;
  const std::string className = WindowClassName(window);
  if (className == kMenuClass || className == kDesktopClass) return;
  lastDetected_ = window;
  std::unique_ptr<ZPlugin> found;
  try {
    found = findPluginForWindow(window, className);
  } catch (const ZReadError&) {
    found.reset();  // a broken file gives the window no plug-in
  }
  setApplicationPlugin(std::move(found));
  reregisterHotkeys();
}

void ZPluginManager::reloadFixedPlugins(const std::string& folder) {
  const std::string base = WithTrailingBackslash(folder);
  const char* files[] = {kServicesFile, kCommonFile};
  const UINT labels[] = {IDS_INTERNET_SERVICES, IDS_COMMON_ACTIONS};
  for (int slot = kServices; slot <= kCommon; ++slot) {
    std::unique_ptr<ZPlugin> plugin;
    try {
      plugin = loadInFull(base + files[slot], nullptr);
    } catch (const ZReadError&) {
      plugin.reset();  // a missing or broken file leaves its slot empty
    }
    setSlot(static_cast<Slot>(slot), std::move(plugin), LoadAnsiString(labels[slot], AppInstance()));
  }
  setApplicationPlugin(nullptr);
  lastDetected_ = nullptr;
  reregisterHotkeys();
}

bool ZPluginManager::switchToPlugin(const std::string& path) {
  std::unique_ptr<ZPlugin> chosen;
  try {
    chosen = loadInFull(path, plugin(kCommon));
  } catch (const ZReadError&) {
    return false;
  }
  setApplicationPlugin(std::move(chosen));
  reregisterHotkeys();
  return true;
}

bool ZPluginManager::deletePlugin(const std::string& path) {
  const bool deleted = DeleteFileA(path.c_str()) != 0;
  reloadCatalogue(catalogueFolder_);
  return deleted;
}

void ZPluginManager::reregisterHotkeys() {
  HWND window = MainWindow();
  for (int id = 0; id < hotkeyCount_; ++id) UnregisterHotKey(window, id);
  hotkeyCount_ = 0;
  if (!window) return;
  for (const ZPlugin* source : {plugin(kServices), plugin(kCommon), plugin(kApplication)}) {
    if (!source) continue;
    for (const auto& action : source->actions()) {
      const uint16_t hotkey = action->hotkey();
      if (!hotkey) continue;
      // A combination the system refuses still uses up its identifier.
      RegisterHotKey(window, hotkeyCount_, TranslateHotkeyModifiers(hotkey >> 8), hotkey & 0xFF);
      ++hotkeyCount_;
    }
  }
}

ZAction* ZPluginManager::FindActionByHotkey(const ZPlugin* plugin, UINT virtualKey, UINT modifiers) {
  if (!plugin) return nullptr;
  for (const auto& action : plugin->actions()) {
    const uint16_t hotkey = action->hotkey();
    if (hotkey && (hotkey & 0xFF) == virtualKey && TranslateHotkeyModifiers(hotkey >> 8) == modifiers)
      return action.get();
  }
  return nullptr;
}

ZAction* ZPluginManager::hotkeyPressed(UINT virtualKey, UINT modifiers) {
  ZAction* action = FindActionByHotkey(plugin(kApplication), virtualKey, modifiers);
  if (!action) action = FindActionByHotkey(plugin(kCommon), virtualKey, modifiers);
  if (!action || !StartAction(*action)) return nullptr;
  return action;
}

std::vector<ZAction*> ZPluginManager::candidates() const {
  std::vector<ZAction*> list;
  AppendActions(plugin(kApplication), list);
  AppendActions(plugin(kServices), list);
  AppendActions(plugin(kCommon), list);
  return list;
}

ZPluginManager& PluginManager() {
  static ZPluginManager manager;
  return manager;
}

bool StartAction(ZAction& action) {
  HWND progress = dynamic_cast<ZWebService*>(&action) ? CreateConnectingDialog() : nullptr;
  return action.run(progress, true);
}
