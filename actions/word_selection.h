// The selection of the word processor whose main window class is "OpusApp",
// read through its automation objects in the running object table rather
// than through the clipboard.
#pragma once
#include <windows.h>

#include <string>

// Finds the running application object whose active window's caption is part
// of `topLevel`'s caption and reads the text of that window's selection.
// False when no running object matches or any call fails.
bool ReadWordSelection(HWND topLevel, std::wstring& selection);
