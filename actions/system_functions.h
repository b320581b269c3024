// The fixed system functions of the "Misc." command: window management,
// session end, scrolling, pause, monitor power, screen saver, Start menu,
// window switching, clicks, date and time, the program's own window.
#pragma once

constexpr int kSystemFunctionCount = 22;

// One function: the name it is stored under in files and the string resource
// the editor shows.
struct ZSystemFunctionName {
  const char* storedName;
  int displayNameId;
};

// Null outside 0..kSystemFunctionCount-1.
const ZSystemFunctionName* SystemFunctionName(int function);

// String resource of a scroll kind's name in the editor; 0 outside 0..6.
int ScrollKindNameId(int kind, bool vertical);

// Longest pause, in seconds; a stored parameter beyond it is taken as it.
constexpr int kLongestPauseSeconds = 9;
// How long "Pause" with `parameter` lasts: parameter + 1 seconds, within
// 1 to kLongestPauseSeconds, for every int the parameter may hold.
int PauseSeconds(int parameter);

// Performs `function` with `parameter` on the foreground window, the session
// or the program's main window. False for an unknown function and where the
// function itself failed (see the table in the source).
bool ExecuteSystemFunction(int function, int parameter);
