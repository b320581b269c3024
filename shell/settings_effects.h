// Settings take effect at once: what the rest of the program is told when the
// user has changed settings in a dialog, and when a profile switch has brought
// in the other profile's settings. No restart is needed for any of them.
#pragma once

// After the folders are known, before the profile opens: the editing
// dialogs' folders and what their changes set off, and what a profile switch
// sets off.
void InstallSettingsEffects();

// The drawing button, drag sensitivity, device type and the capture
// exceptions reach the hook library (the recognizer reads the tolerance at
// every gesture); the Run registry value follows RunAtStartup.
void ApplySettingsAtOnce();
