// The profile commands of the main window's menus: switch to a profile and
// delete one, each with what the rest of the program must do afterwards.
#pragma once
#include <string>

// Selects the profile by name and, when it became current, reloads the
// active plug-ins and hotkeys and lets its settings take effect. A refused
// password leaves the previous profile current; false then and when nothing
// changed.
bool SwitchToProfile(const std::string& name);
// Deletes a profile other than the current one; false when refused.
bool DeleteProfile(const std::string& name);
