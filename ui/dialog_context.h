// What the editing dialogs need from the program around them: a few folders
// and what to do once the user has changed settings. The shell fills it in at
// start-up; the dialogs only read it.
#pragma once
#include <functional>
#include <string>

struct ZDialogContext {
  std::string systemFolder;  // "firms", "languages" and the help pages ("help\")
  std::string soundsFolder;  // one subfolder per sound theme
  // The settings record changed (preferences applied, another sound theme):
  // make the change take effect and keep it. Empty: nothing more to do.
  std::function<void()> settingsChanged;
};

ZDialogContext& DialogContext();

// Calls settingsChanged when it is set.
void NotifySettingsChanged();
