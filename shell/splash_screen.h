// The splash screen (dialog 287 showing bitmap 271): on a thread of its own,
// topmost without taking the focus, gone by itself after 2.5 seconds.
#pragma once
#include <windows.h>

// Starts the splash thread and returns once the dialog exists (0 when it
// could not be made).
HWND ShowSplashScreen();
