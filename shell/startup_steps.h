// Start-up and shutdown steps that belong to other subsystems: the web site
// list, sounds, the scrolling worker, the shared symbol library, the active
// plug-ins and hotkeys, the tray icon and the hook library. The shell calls
// them at their place in the order; each is filled in by its subsystem.
#pragma once
#include <string>

void LoadWebSiteList(const std::string& systemFolder);
void StartMp3Player();
void LoadSoundTheme(const std::string& soundsFolder, const std::string& themeName);
void PlayStartSound();
void StartScrollingThread();
void LoadSharedSymbolLibrary(const std::string& symbolsFolder);
void CloseScrollingThread();

// Parts of the main window's creation and destruction.
void LoadViewPlugins();
void RegisterActionHotkeys();
void CreateTrayIcon();
void DestroyTrayIcon();
void LoadHookLibrary();
void ReleaseHookLibrary();
