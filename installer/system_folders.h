// The system's folders the installer writes into and the uninstaller cleans.
#pragma once
#include <string>

// The Start menu shortcuts go to all users on the Windows NT family when the
// user is an administrator, else to the user's own Start menu.
bool InstallsForAllUsers();
// "<programs folder>\Zavotra Pro\" of all users or of the current user; empty
// when the system has no such folder.
std::string StartMenuFolder(bool allUsers);
// The Windows folder, ending in "\".
std::string WindowsFolder();
