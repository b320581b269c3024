// What the installer's window and the pages of its wizard share.
#pragma once
#include <windows.h>

#include <string>

struct ZInstallerSession {
  std::string distribution;   // the folder holding the installer, ending in "\"
  std::string installFolder;  // proposed at start; confirmed (ending in "\") by page 3
  HWND mainWindow = nullptr;
  HWND sheet = nullptr;       // the wizard while it is open
};

// The folder holding the running program, ending in "\".
std::string ProgramFolder();
