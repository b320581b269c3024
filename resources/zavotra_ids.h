// Every resource, control, command and message number of Zavotra.exe, named
// once. Included by the resource scripts and by the code. Keep it free of
// C++ so that windres can read it.
#pragma once

#include "hook/hook_protocol.h"  // messages between Zavotra.dll and the main window

// ---------------------------------------------------------------------------
// Gesture capture and ink trail
// ---------------------------------------------------------------------------
// (gesture capture ids)
#define IDS_HOOK_LIBRARY_MISSING  2    /* "Couldn't find the 'Zavotra.dll' file, ..." */
#define IDS_CAPTURE_ENABLED       20   /* "Zavotra - Use CTRL key to disable" */
#define IDS_CAPTURE_DISABLED      23   /* "Zavotra (disabled)" */
#define IDI_CAPTURE_ENABLED       220  /* tray icon while capture is on */
#define IDI_CAPTURE_DISABLED      104  /* tray icon while capture is off */


// ---------------------------------------------------------------------------
// Symbol files and library
// ---------------------------------------------------------------------------
// (symbol file ids)


// ---------------------------------------------------------------------------
// Actions and commands: command names, key names
// ---------------------------------------------------------------------------
// (command ids)


// ---------------------------------------------------------------------------
// Actions: text, system functions, scrolling, launch, sound, internet
// ---------------------------------------------------------------------------
// (execution ids)


// ---------------------------------------------------------------------------
// Sound playback and event sounds
// ---------------------------------------------------------------------------
// (sound ids)


// ---------------------------------------------------------------------------
// Plug-ins
// ---------------------------------------------------------------------------
// (plug-in ids)


// ---------------------------------------------------------------------------
// Application shell: start-up, profiles, main window
// ---------------------------------------------------------------------------
// (shell ids)

