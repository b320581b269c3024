// The web features as the main window starts them: the exchange with the
// web service (Ctrl+Alt+U, command 40098, forced) and the plug-in download
// wizard (command 40036). Both run to completion before returning.
#pragma once
#include <windows.h>

// Reports the usage counts and takes what the service answers; with `force`
// the web service list is sent again whatever the age of ours. Beeps at the end.
void RunWebExchange(bool force);
// The plug-in download wizard, modal over `parent`.
void OpenPluginDownload(HWND parent);
