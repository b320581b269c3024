// The sound preferences (dialog 282): the current sound theme, the sound of
// each event in a theme, and the sound files of the theme's folder. Files
// are copied and removed at once; a theme's choices of sounds are written
// back to its "events" file when the user leaves the theme or closes the
// dialog; closing makes the chosen theme current.
#pragma once
#include <windows.h>

// True when anything changed: the current theme, or a theme's files or events.
bool OpenSoundPreferences(HWND owner);
