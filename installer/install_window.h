// The installer's full-screen window: it carries the wizard, swallows its
// system menu (so that Alt+F4 does nothing) and answers Ctrl+Alt+F by
// starting the program of the current installation folder and ending.
#pragma once
#include <windows.h>

struct ZInstallerSession;

// Registers the window class, shows the window with the wizard and runs the
// message loop until the installer ends. False when the window could not be
// made.
bool RunInstallerWindow(HINSTANCE instance, ZInstallerSession& session);
