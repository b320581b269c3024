#include "shell/road_steps.h"

#include <memory>

#include "gesture/hook_library.h"
#include "plugins/plugin_folder.h"
#include "plugins/plugin_manager.h"
#include "shell/capture_messages.h"
#include "shell/folders.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "common/settings.h"
#include "shell/startup_steps.h"

namespace {
std::unique_ptr<HookLibrary>& TheHookLibrary() {
  static std::unique_ptr<HookLibrary> library;
  return library;
}
}  // namespace

void InstallPluginProfileHooks() {
  PluginManager().setKeySource([]() -> const ZKeyBlock& { return ProfileKey(); });
  ZProfileHooks& hooks = ProfileHooks();
  hooks.reloadPluginCatalogue = [](const std::string& folder) {
    SetCurrentPluginsFolder(folder);
    PluginManager().reloadCatalogue(folder);
  };
  hooks.reloadActivePlugins = [] { PluginManager().reloadFixedPlugins(Folders().profilePlugins); };
}

void LoadViewPlugins() { PluginManager().reloadFixedPlugins(Folders().profilePlugins); }

// The fixed plug-ins registered theirs while loading; once more now that the
// main window certainly exists.
void RegisterActionHotkeys() { PluginManager().reregisterHotkeys(); }

HookLibrary* ActiveHookLibrary() { return TheHookLibrary().get(); }

void LoadHookLibrary() {
  auto& library = TheHookLibrary();
  library = std::make_unique<HookLibrary>(Folders().system);
  library->sendSettings(Settings().drawingThreshold, Settings().drawButton, Settings().deviceType);
  library->sendCaptureExceptions(Settings().captureOffApplications, Settings().pauseInFullScreen);
  library->setBoth(true, true);
  SetActiveCaptureSwitch(library.get());
  CaptureMessages().setHookLibrary(library.get());
}

HookLibrary* LoadedHookLibrary() { return TheHookLibrary().get(); }

void ReleaseHookLibrary() {
  CaptureMessages().setHookLibrary(nullptr);
  SetActiveCaptureSwitch(nullptr);
  TheHookLibrary().reset();
}
