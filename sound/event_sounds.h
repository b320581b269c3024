// The program's single sound channel: event sounds of the current theme, and
// any WAV or MP3 file. WAV files play through PlaySoundA, MP3 files through
// the MP3 player; every request first stops what plays.
#pragma once
#include <string>

#include "common/id_text_table.h"

class ZEventSounds {
 public:
  // Remembers the theme folder (a backslash ensured) and reads its "events"
  // table; a missing table leaves no events. False when it cannot be read.
  bool loadTheme(const std::string& folder);
  const std::string& themeFolder() const { return folder_; }

  // Plays the theme's file for `event`; false (silent) when the theme has
  // none.
  bool playEvent(int event);
  bool hasEvent(int event) const;

  // Stops everything, then plays by extension: ".mp3" through the MP3 player,
  // ".wav" through PlaySoundA, in any case; other files are ignored.
  void playFile(const std::string& path);

  // Stops the MP3 player and purges WAV playback.
  void stopAll();

 private:
  std::string folder_;
  ZIdTextTable events_;
};

// The process-wide event sounds.
ZEventSounds& EventSounds();

// Which player a file goes to, by its extension.
enum class SoundFileKind { Mp3, Wav, Other };
SoundFileKind SoundFileKindOf(const std::string& path);

// Start-up: creates the MP3 player, sends it its set-up, loads the theme
// named by the settings from the shared sounds folder and plays the start
// sound when both PlayStartSound and PlaySounds are on.
void StartSoundPlayback(const std::string& soundsFolder);
// Shutdown: stops all sounds.
void StopSoundPlayback();
