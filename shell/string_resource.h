// A string of the program's string table, whatever its length.
#pragma once
#include <string>

#include <windows.h>

std::string LoadResourceString(UINT id);
