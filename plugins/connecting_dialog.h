// The modeless "Connecting to ..." window shown while a web-service action
// starts. The running action closes it (WM_COMMAND IDCANCEL) when it is done.
#pragma once
#include <windows.h>

#include <string>

// Dialog 217 over the main window with `name` filled in; null when it could
// not be created (the action then runs without it).
HWND CreateConnectingDialog(const std::string& name);
