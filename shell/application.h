// The program from start to end: the single-instance check, the start-up in
// its fixed order, the message loop and the shutdown.
#pragma once
#include <windows.h>

// Returns the exit code: WM_QUIT's, or 0 when another instance runs or the
// profile's password was refused.
int RunZavotra(HINSTANCE instance);
