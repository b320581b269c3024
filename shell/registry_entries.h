// The program's registry entries: where it is installed, whether it starts
// with Windows, and its application path. Failures are ignored: the program
// runs the same without them.
#pragma once
#include <string>

// "AppFolder" of HKCU, else of HKLM, else the running program's folder; ends
// in a backslash.
std::string ResolveInstallFolder();
// Writes the entries for the installation folder and the current settings
// (the Run value follows `RunAtStartup`).
void WriteRegistryEntries();

// Registry names, shared with the tests.
extern const char kProductKey[];     // SOFTWARE\Zavotra\Pro
extern const char kVendorKey[];      // SOFTWARE\Zavotra
extern const char kRunKey[];
extern const char kAppPathsKey[];
