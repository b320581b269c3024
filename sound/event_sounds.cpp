#include "sound/event_sounds.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "common/app_context.h"
#include "sound/event_sound_names.h"
#include "common/settings.h"
#include "sound/xa_player.h"

namespace {

void EnsureBackslash(std::string& folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder.push_back('\\');
}

// The extension the way the path splitter finds it: from the last dot of the
// file name on, dot included.
std::string ExtensionOf(const std::string& path) {
  const size_t nameStart = path.find_last_of("\\/:");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return std::string();
  return path.substr(dot);
}

}  // namespace

SoundFileKind SoundFileKindOf(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  if (_stricmp(extension.c_str(), ".mp3") == 0) return SoundFileKind::Mp3;
  if (_stricmp(extension.c_str(), ".wav") == 0) return SoundFileKind::Wav;
  return SoundFileKind::Other;
}

bool ZEventSounds::loadTheme(const std::string& folder) {
  folder_ = folder;
  EnsureBackslash(folder_);
  events_.entries().clear();
  return events_.read((folder_ + "events").c_str());
}

bool ZEventSounds::hasEvent(int event) const {
  return events_.find(static_cast<uint32_t>(event)) != nullptr;
}

bool ZEventSounds::playEvent(int event) {
  const std::string* file = events_.find(static_cast<uint32_t>(event));
  if (!file) return false;
  playFile(folder_ + *file);
  return true;
}

void ZEventSounds::playFile(const std::string& path) {
  stopAll();
  switch (SoundFileKindOf(path)) {
    case SoundFileKind::Mp3:
      if (Mp3Player().loadFile(path.c_str()) == 0) Mp3Player().play();
      break;
    case SoundFileKind::Wav:
      PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
      break;
    case SoundFileKind::Other:
      break;
  }
}

void ZEventSounds::stopAll() {
  Mp3Player().stop();
  PlaySoundA(nullptr, nullptr, SND_PURGE);
}

ZEventSounds& EventSounds() {
  static ZEventSounds sounds;
  return sounds;
}

void StartSoundPlayback(const std::string& soundsFolder) {
  XA_Player& player = Mp3Player();
  // The player posts no notifications that the program would act upon.
  if (player.create(nullptr) == 0) player.setUp(XA_Player::kSetUpArgument);
  std::string folder = soundsFolder;
  EnsureBackslash(folder);
  EventSounds().loadTheme(folder + Settings().soundTheme);
  if (Settings().playStartSound && Settings().playSounds) EventSounds().playEvent(kEventStartup);
}

void StopSoundPlayback() { EventSounds().stopAll(); }
