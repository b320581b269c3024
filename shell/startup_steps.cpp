#include "shell/startup_steps.h"

#include "actions/scroll_thread.h"
#include "common/app_context.h"
#include "common/string_resource.h"
#include "common/tray_icon.h"
#include "resources/zavotra_ids.h"
#include "gesture/symbol_library.h"
#include "sound/event_sounds.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"

void StartSounds(const std::string& soundsFolder) { StartSoundPlayback(soundsFolder); }
void StopSounds() { StopSoundPlayback(); }

void StartScrollingThread() { StartScrollThread(); }
void CloseScrollingThread() { StopScrollThread(); }

// The categories are shared by every profile and never encrypted.
void LoadSharedSymbolLibrary(const std::string& symbolsFolder) {
  SymbolLibrary().loadCategories(symbolsFolder);
}

namespace {
// The symbols folder of the profile opened before the main window existed.
std::string g_startupSymbols;
bool g_startupSymbolsPending = false;
}  // namespace

void InstallSymbolProfileHook() {
  ProfileHooks().loadProfileSymbols = [](const std::string& folder) {
    if (!MainWindow()) {
      g_startupSymbols = folder;
      g_startupSymbolsPending = true;
      return;
    }
    g_startupSymbolsPending = false;
    SymbolLibrary().loadUserSymbols(folder, ProfileKey());
  };
}

void LoadStartupSymbols() {
  if (!g_startupSymbolsPending) return;
  g_startupSymbolsPending = false;
  SymbolLibrary().loadUserSymbols(g_startupSymbols, ProfileKey());
}

void CreateTrayIcon() {
  TrayIcon().add(MainWindow(), WM_TRAY_NOTIFY, IDI_CAPTURE_ENABLED, LoadAnsiString(IDS_CAPTURE_ENABLED, AppInstance()));
}

void DestroyTrayIcon() { TrayIcon().remove(); }
