// The installer's wizard: welcome, licence, folder and installation, and the
// last page with the animation and Finish. Modeless; the installer's message
// loop closes it when PropSheet_GetCurrentPageHwnd turns null.
#pragma once
#include <windows.h>

struct ZInstallerSession;

// Opens the wizard owned by session.mainWindow and centred over it; the
// sheet, or null when it could not be created.
HWND OpenInstallWizard(ZInstallerSession& session);
