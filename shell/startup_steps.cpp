#include "shell/startup_steps.h"

// Nothing to do until the subsystem that owns a step is part of the program.
void LoadWebSiteList(const std::string&) {}
void StartMp3Player() {}
void LoadSoundTheme(const std::string&, const std::string&) {}
void PlayStartSound() {}
void StartScrollingThread() {}
void LoadSharedSymbolLibrary(const std::string&) {}
void CloseScrollingThread() {}

void CreateTrayIcon() {}
void DestroyTrayIcon() {}
