// "Symbol Name" (dialog 222): the name a finished symbol is saved under.
#pragma once
#include <windows.h>

#include <string>

// Shows the dialog with `name` filled in; OK stays disabled while the field
// is empty. True, and `name` the text entered, on OK; false and `name`
// untouched on Cancel.
bool AskSymbolName(HWND owner, std::string& name);
