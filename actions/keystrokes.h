// Synthetic keyboard input into the foreground application: the primitives
// that hotkey, menu, text and system commands are made of. Everything goes
// through keybd_event, never through window messages, so it reaches whatever
// window has the keyboard focus. Called on an action's worker thread.
#pragma once
#include <windows.h>

#include <string>

// One key down or up, with the given scan code (0 lets the target map it).
void PressKey(BYTE virtualKey, BYTE scanCode = 0);
void ReleaseKey(BYTE virtualKey, BYTE scanCode = 0);

// How long WaitForModifiers waits for the user to let go of Alt, Shift and
// Ctrl before going on anyway, so that a stuck or held key never blocks an
// action forever.
constexpr DWORD kModifierWaitLimitMs = 5000;

// Returns once none of Alt, Shift and Ctrl is held down, so that keys the
// user still holds from the gesture or hotkey do not combine with ours.
// Returns false when they were still down after kModifierWaitLimitMs, or at
// once when the running actions are asked to stop.
bool WaitForModifiers(DWORD limitMs = kModifierWaitLimitMs);

// Types `text` (converted to the system code page) key by key, each
// character with the shift state the keyboard layout needs, once the
// modifiers are up (or the wait for them has given up). A carriage return
// followed by a line feed is one Return. Characters the layout cannot produce
// are skipped. Returns false, having stopped, as soon as the foreground
// window is no longer the one that was in front when typing began, or when
// the running actions are asked to stop.
bool TypeText(const std::wstring& text);

// Ctrl+C and Ctrl+V in the foreground application, once the modifiers are up,
// with the gesture capture suspended meanwhile so that our Ctrl is not taken
// for the user's. False, with nothing sent, when the running actions were
// asked to stop first.
bool Copy();
bool Paste();
