// The plug-in editor (dialog 279): a new application plug-in made by pointing
// at the application's window, whose class becomes the plug-in's Key and
// whose caption its Caption, with the descriptive fields typed in.
#pragma once
#include <windows.h>

class ZPlugin;

// Runs the editor over a new, empty plug-in. On OK the plug-in is saved under
// a new "wpuNNNNNN.zta" in the profile's plug-ins folder and the catalogue is
// reloaded, so that the next gesture over that application uses it. True
// when a plug-in was saved.
bool OpenPluginEditor(HWND owner);

// The dialog itself over `plugin`: true when the user chose OK and the
// plug-in was saved (a failed save is reported and keeps the dialog open).
bool RunPluginEditor(HWND owner, ZPlugin& plugin);
