#include "actions/sound_and_internet_requests.h"

#include "common/open_url.h"
#include "sound/event_sounds.h"
#include "common/settings.h"

bool ExecuteSoundRequest(int soundType, int index, const std::string& path) {
  if (!Settings().playSounds) return true;
  switch (soundType) {
    case kSoundFile:
      EventSounds().playFile(path);
      break;
    case kSoundTheme:
      EventSounds().playEvent(index);
      break;
    case kSoundStop:
      EventSounds().stopAll();
      break;
    default:
      break;
  }
  return true;
}

std::string InternetRequestUrl(int function, const std::string& target) {
  switch (function) {
    case kInternetWebsite:
      return target;
    case kInternetEmail:
      return "mailto:" + target;
    default:
      return std::string();
  }
}

bool ExecuteInternetRequest(int function, const std::string& target) {
  const std::string url = InternetRequestUrl(function, target);
  if (!url.empty()) OpenUrl(url);
  return true;
}
