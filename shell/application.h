// The program from start to end: the single-instance check, the start-up in
// its fixed order, the message loop and the shutdown.
#pragma once
#include <windows.h>

// Returns the exit code: WM_QUIT's, or 0 when another instance runs or the
// profile's password was refused.
int RunZavotra(HINSTANCE instance);

// The message loop's use of accelerator table 190: carried out by the window
// with the keyboard focus. An edit control (an action's name being typed)
// keeps its keys: Delete, Ctrl+C and the like edit the text there. True when
// the message became a command.
bool TranslateFocusAccelerator(HACCEL accelerators, MSG& message);
