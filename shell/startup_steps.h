// Start-up and shutdown steps that belong to other subsystems: the web site
// list, sounds, the scrolling worker, the shared symbol library, the active
// plug-ins and hotkeys, the tray icon and the hook library. The shell calls
// them at their place in the order; each is filled in by its subsystem.
#pragma once
#include <string>

// The web service list "weblist" of the system folder (shell/web_service_steps.cpp).
void LoadWebSiteList(const std::string& systemFolder);
// The credentials' load and save with the profile, and what web-service
// actions ask of the shell.
void InstallWebServiceHooks();
// The MP3 player, the sound theme named by the settings and the start sound.
void StartSounds(const std::string& soundsFolder);
void StopSounds();
// The profile's own symbols are loaded whenever a profile opens; at start-up,
// when they may be many files, only once the main window and its tray icon
// are there (LoadStartupSymbols).
void InstallSymbolProfileHook();
void LoadStartupSymbols();
void StartScrollingThread();
void LoadSharedSymbolLibrary(const std::string& symbolsFolder);
void CloseScrollingThread();

// Parts of the main window's creation and destruction.
void LoadViewPlugins();
void RegisterActionHotkeys();
// The tray icon of the main window: icon 220, tip string 20, callback 1026.
void CreateTrayIcon();
void DestroyTrayIcon();
void LoadHookLibrary();
void ReleaseHookLibrary();
// The hook library object while the main window lives, else null.
class HookLibrary;
HookLibrary* LoadedHookLibrary();
