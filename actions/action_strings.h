// String resources of the action classes (command kind and key names).
#pragma once
#include <windows.h>

#include <string>

// The string resource `id` of the program's instance in the system code
// page; empty when there is none.
std::string LoadActionString(UINT id);
