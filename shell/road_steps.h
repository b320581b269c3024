// The plug-ins and the capture layer in the program's start-up: the profile
// opening reaches the plug-in manager, and the main window's creation loads
// the active plug-ins, registers hotkeys and loads the hook library.
#pragma once

// Before the profile opens: the catalogue follows the profile's plug-ins
// folder and key, a profile switch reloads the active plug-ins.
void InstallPluginProfileHooks();

class HookLibrary;
// The hook library object while the main window exists; null otherwise.
HookLibrary* ActiveHookLibrary();
