// String resources of any length.
#pragma once
#include <windows.h>

#include <string>

// The string resource id of module (the program itself when null); empty
// when there is none.
std::string LoadAnsiString(UINT id, HINSTANCE module = nullptr);
std::wstring LoadWideString(UINT id, HINSTANCE module = nullptr);
