// Every resource, control, command and message number of Zavotra.exe, named
// once. Included by the resource scripts and by the code. Keep it free of
// C++ so that windres can read it.
#pragma once

#include "hook/hook_protocol.h"  // messages between Zavotra.dll and the main window

// ---------------------------------------------------------------------------
// Gesture capture and ink trail
// ---------------------------------------------------------------------------
// (gesture capture ids)


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

