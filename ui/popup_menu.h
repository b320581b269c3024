// Menus that the program builds as system menus (from resources, filled and
// enabled with the menu functions) shown as the program's own popup menus:
// modal, at a screen point, with the modal counter raised meanwhile.
#pragma once
#include <windows.h>

#include <string>

// The command chosen from `menu` shown at `screen` for `owner`, or 0.
// Nothing is posted to `owner`: the caller runs the command.
UINT TrackMenu(HMENU menu, HWND owner, POINT screen);
// `text` as a menu entry: an '&' stays an '&' instead of marking a key.
std::string MenuText(const std::string& text);
