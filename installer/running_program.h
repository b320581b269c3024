// The main program seen from the installer: a running one is ended before
// its files are replaced, and the installed one is started at the end.
#pragma once
#include <string>

// Sends WM_DESTROY to the main program's window when one exists, and gives
// the program 2000 ms to save and exit.
void EndRunningProgram();
// Starts "Zavotra.exe" of the installation folder (ending in "\") through the
// shell, with that folder as its working folder. False when it did not start.
bool StartInstalledProgram(const std::string& installFolder);
