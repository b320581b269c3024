// Resolving shell shortcuts (.lnk files). COM must be initialised on the
// calling thread.
#pragma once
#include <string>

// The target path of a shortcut, found without any user interface; empty
// when the file is not a shortcut or its target cannot be resolved.
std::string ResolveShortcut(const std::string& shortcutPath);
