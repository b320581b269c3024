// The message shown when a file the user named explicitly is not there.
#pragma once
#include <string>

// Modal message box with the path and "Error: this file does not exist.",
// under the program's title, with an OK button and the warning icon; owned
// by the main window when there is one.
void ShowMissingFileMessage(const std::string& path);
