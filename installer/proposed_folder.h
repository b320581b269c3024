// The installation folder the installer proposes, and which folders it accepts.
#pragma once
#include <string>

// The folder of an earlier installation ("AppFolder" of the machine, else of
// the user), else "<Program Files>\Zavotra Pro". Ends without a backslash
// unless the stored value had one.
std::string ProposedInstallFolder();

// A full path of a folder (drive or network share) with room for the
// program's files below it: no wildcards or other characters that no path
// may hold. The folder need not exist.
bool IsUsableInstallFolder(const std::string& folder);
