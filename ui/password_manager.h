// The password manager (dialog 307): the stored logins and passwords of the
// web services, one line per credential key named from "lgngrps", the first
// pair of the selected key edited as the user types, Delete for the whole
// key; closing writes the table to the profile's "ids".
#pragma once
#include <windows.h>

void RunPasswordManager(HWND owner);
