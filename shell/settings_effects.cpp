#include "shell/settings_effects.h"

#include "common/settings.h"
#include "gesture/hook_library.h"
#include "shell/folders.h"
#include "shell/profile_hooks.h"
#include "shell/profile_set.h"
#include "shell/registry_entries.h"
#include "shell/road_steps.h"
#include "sound/event_sounds.h"
#include "ui/dialog_context.h"
#include "ui/symbol_editor.h"

void ApplySettingsAtOnce() {
  const ZSettings& s = Settings();
  if (HookLibrary* hook = ActiveHookLibrary()) {
    hook->sendSettings(s.drawingThreshold, s.drawButton, s.deviceType);
    hook->sendCaptureExceptions(s.captureOffApplications, s.pauseInFullScreen);
  }
  WriteRegistryEntries();
}

void InstallSettingsEffects() {
  ZDialogContext& dialogs = DialogContext();
  dialogs.systemFolder = Folders().system;
  dialogs.soundsFolder = Folders().sounds;
  dialogs.settingsChanged = [] {
    ApplySettingsAtOnce();
    // Kept at once: a crash or a power cut must not cost the user the choice.
    Profiles().saveCurrent();
  };
  ZSymbolEditorContext& symbolEditor = SymbolEditorContext();
  symbolEditor.symbolsFolder = [] { return Folders().profileSymbols; };
  symbolEditor.fileKey = [] { return ProfileKey(); };
  symbolEditor.systemFolder = Folders().system;
  ProfileHooks().applyProfileSettings = [] {
    ApplySettingsAtOnce();
    EventSounds().loadTheme(Folders().sounds + Settings().soundTheme);
  };
}
