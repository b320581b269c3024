// Writing shell shortcuts (.lnk files). COM must be initialised on the
// calling thread.
#pragma once
#include <string>

// A shortcut at `shortcutPath` to `target`, with an empty description, no
// arguments and no working folder. True when it was saved.
bool CreateShortcut(const std::string& target, const std::string& shortcutPath);
