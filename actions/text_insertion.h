// Moving text into and out of the foreground application: insertion through
// the clipboard or by typing, the date and time texts, and the capture of the
// user's selection. The user's clipboard is saved before and restored after
// every use. Runs on an action's worker thread.
#pragma once
#include <windows.h>

#include <string>

// How long the application gets to read the pasted clipboard before the
// user's clipboard comes back.
constexpr DWORD kPasteSettleMs = 1000;
// How long the application gets to answer Ctrl+C.
constexpr DWORD kCopySettleMs = 200;

// With the clipboard: put the text there, paste it, restore the clipboard.
// False when the clipboard cannot be opened (the user's clipboard is then
// left as it was). Without: types the text; false when the foreground window
// changed meanwhile.
bool InsertText(const std::wstring& text, bool useClipboard);

// The date or time text of the local clock, inserted through the clipboard.
// A format outside its table inserts nothing and returns true: the command is
// stored that way and stopping the rest of the macro would help no one.
bool InsertDateText(int format);
bool InsertTimeText(int format);

// The text the user has selected in the foreground application; empty when
// nothing could be read.
std::wstring GetSelection();
