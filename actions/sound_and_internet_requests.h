// What the sound and internet commands hand to the sound channel and to the
// system's registered handlers. Both always succeed, so that they never stop
// a macro.
#pragma once
#include <string>

// Sound types of the sound command.
enum SoundRequestType : int { kSoundFile = 0, kSoundTheme = 1, kSoundStop = 2 };

// Nothing when the PlaySounds setting is off. File plays `path`, Theme the
// current theme's event `index`, Stop stops all sounds.
bool ExecuteSoundRequest(int soundType, int index, const std::string& path);

// Internet functions of the internet command.
enum InternetRequestFunction : int {
  kInternetWebsite = 0,
  kInternetEmail = 1,
  kInternetForum = 2,
  kInternetService = 3
};

// Website opens the address, e-mail a new message to the address ("mailto:");
// Forum and Service do nothing.
bool ExecuteInternetRequest(int function, const std::string& target);

// The text handed to the URL opener for a function; empty for none.
std::string InternetRequestUrl(int function, const std::string& target);
