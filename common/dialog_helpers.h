// Small helpers for dialogs and their controls.
#pragma once
#include <windows.h>

// Moves window, keeping its size and z-order, so that its centre is the
// centre of reference, or of the desktop work area when reference is null.
void CenterWindow(HWND window, HWND reference);

// Selects the first item of a combo box whose item data equals value.
// False, and the selection unchanged, when no item has it.
bool SelectComboItemByData(HWND comboBox, LRESULT value);
