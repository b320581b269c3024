// Recursive copy and removal of folder trees (ANSI paths).
#pragma once
#include <windows.h>

#include <string>

// Copies every file and folder below source into destination, creating the
// folders as needed and overwriting files of the same name. Entries named
// "dummy" (in any case) are skipped. When progress is a progress bar,
// PBM_STEPIT is sent to it once per copied file. Returns false only when the
// source folder cannot be listed; failures of single copies are not reported.
bool CopyDirectoryTree(const std::string& source, const std::string& destination, HWND progress);

// Deletes the folder with everything below it. Returns whether the folder
// itself was removed. Linked folders (junctions, symbolic links) inside the
// tree are unlinked, never entered, so nothing outside the tree is deleted.
bool DeleteDirectoryTree(const std::string& directory);
