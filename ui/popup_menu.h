// The program's use of the system's popup menus (until its own menus are
// there): modal, at a screen point, with the modal counter raised meanwhile.
#pragma once
#include <windows.h>

#include <string>

// The command chosen from `menu` shown at `screen` for `owner`, or 0.
UINT TrackMenu(HMENU menu, HWND owner, POINT screen);
// `text` as a menu shows it: an '&' stays an '&' instead of marking a key.
std::string MenuText(const std::string& text);
