// The download of the wanted plug-ins: the modal progress dialog 306 over
// `owner`, whose initialisation starts the worker thread. The worker sends
// the exchange of the web service with the wanted ids ("listidplugin"),
// reads the answer with the dialog's progress bar, extracts the plug-in
// package into the download folder, and closes the dialog (WM_COMMAND IDOK).
// It reports to the dialog by sent messages only; the dialog can't be
// closed before it is done.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "web/web_host.h"

void DownloadPlugins(HWND owner, ZWebHost& host, const std::vector<int32_t>& wanted);

// The answer's package (an outer archive holding "inner.zip"): written to
// "plugins.zip" in the download folder, extracted as a package into that
// folder, then deleted in every case.
bool InstallPluginPackage(const std::string& downloads, const uint8_t* package, size_t size, HWND progressBar);
