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
// Strings
#define IDS_TRAY_TIP                 20     // "Zavotra - Use CTRL key to disable"
#define IDS_ACTION_EXECUTED          21     // "%s executed"
#define IDS_SYMBOL_NOT_RECOGNIZED    22
#define IDS_CONFIRM_EXIT             31
#define IDS_DEFAULT_SOUND_THEME      251
#define IDS_DEFAULT_PROFILE_NAME     40250
#define IDS_APP_TITLE                40900  // "Zavotra", the title of every message box
#define IDS_NO_INTERNET              40901

// Bitmaps
#define IDB_SPLASH                   271

// Splash screen
#define IDD_SPLASH                   287

// Profiles: password prompt, chooser, editor, change password
#define IDD_PASSWORD                 309
#define IDD_PROFILE_CHOOSER          336
#define IDD_PROFILE_EDITOR           280
#define IDD_CHANGE_PASSWORD          308
#define IDC_PASSWORD_PROMPT          1052   // "Please enter the password for %s :"
#define IDC_PASSWORD_EDIT            1053
#define IDC_PROFILE_NAME             1050
#define IDC_PROFILE_PASSWORD         1055
#define IDC_PROFILE_CONFIRMATION     1089
#define IDC_PROFILE_LIST             1090   // chooser's list and the editor's "Copy settings from :"
#define IDC_PROFILE_PROTECTED        1091
#define IDC_CURRENT_PASSWORD         1099
#define IDC_NEW_PASSWORD             1179
#define IDC_NEW_CONFIRMATION         1180

// Accelerators: carried out by the window with the keyboard focus
#define IDR_ACCELERATORS             190
#define IDM_CUT                      40073
#define IDM_COPY                     40074
#define IDM_PASTE                    40075
#define IDM_DELETE                   40076
#define IDM_EXCHANGE_NOW             40098

// Main window commands handled by the shell
#define IDM_EXIT                     40045
#define IDM_NEW_PROFILE              40060
#define IDM_CHANGE_PASSWORD          40086
#define ID_FEEDBACK_TIMER            2

