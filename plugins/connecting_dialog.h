// The modeless "Connecting to ..." window shown while a web-service action
// starts. The running action closes it (WM_COMMAND IDCANCEL) when it is done.
#pragma once
#include <windows.h>


// Dialog 217 over the main window, hidden: the action puts the service's
// name in its text and shows it once it knows the service. Null when it
// could not be created (the action then runs without it).
HWND CreateConnectingDialog();
