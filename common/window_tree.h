// Where a window stands among the others: its top-level ancestor and its
// class name, as application detection and the Word selection path need them.
#pragma once
#include <windows.h>

#include <string>

// The last ancestor reached through GetParent (owners included); null for null.
HWND TopLevelOf(HWND window);

// The top-level window under a screen point; null where there is none.
HWND TopLevelWindowAt(POINT point);

// The window's class name; empty when it has none (a null or gone window).
std::string WindowClassName(HWND window);
