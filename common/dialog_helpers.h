// Small helpers for dialogs and their controls.
#pragma once
#include <windows.h>

#include <string>

// Moves window, keeping its size and z-order, so that its centre is the
// centre of reference, or of the desktop work area when reference is null.
void CenterWindow(HWND window, HWND reference);

// Selects the first item of a combo box whose item data equals value.
// False, and the selection unchanged, when no item has it.
bool SelectComboItemByData(HWND comboBox, LRESULT value);

// The text of a dialog's control as UTF-8, read as UTF-16 up to `limit`
// characters; the read buffer is wiped (the text may be a password). The
// caller wipes the result when it is a secret.
std::string DialogItemUtf8(HWND dialog, int id, int limit = 1024);
// Sets a control's text from UTF-8, wiping the converted copy.
void SetDialogItemUtf8(HWND dialog, int id, const std::string& utf8);
