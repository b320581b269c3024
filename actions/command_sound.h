// Plays a sound file or a sound of the current theme, or stops all sounds.
#pragma once
#include "actions/command.h"

class ZCommandSound : public ZCommandKind<ZCommandSound, kCommandSound> {
 public:
  enum SoundType : int { kFile = 0, kTheme = 1, kStop = 2, kSoundTypeCount };

  int soundType() const { return soundType_; }
  // False, unchanged, for a value outside SoundType.
  bool setSoundType(int type);
  // Event sound of the current theme (kTheme).
  int index() const { return index_; }
  void setIndex(int index) { index_ = index; }
  // WAV or MP3 file (kFile).
  const std::string& filePath() const { return filePath_; }
  void setFilePath(const std::string& path) { filePath_ = path; }
  bool loop() const { return loop_; }
  void setLoop(bool loop) { loop_ = loop; }
  bool wait() const { return wait_; }
  void setWait(bool wait) { wait_ = wait; }

  // Compares what the sound type uses: nothing more for Stop; loop, wait and
  // the file path for File; loop, wait and the index for Theme.
  bool equals(const ZCommand& other) const override;
  bool execute() override;
  static std::unique_ptr<ZCommandSound> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  int soundType_ = kFile;
  int index_ = 0;
  std::string filePath_;
  bool loop_ = false;
  bool wait_ = false;
};
