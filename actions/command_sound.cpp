#include "actions/command_sound.h"
#include "actions/sound_and_internet_requests.h"

#include "common/storage.h"

bool ZCommandSound::setSoundType(int type) {
  if (type < 0 || type >= kSoundTypeCount) return false;
  soundType_ = type;
  return true;
}

bool ZCommandSound::equals(const ZCommand& other) const {
  if (other.typeId() != typeId()) return false;
  const auto& sound = static_cast<const ZCommandSound&>(other);
  if (soundType_ != sound.soundType_) return false;
  if (soundType_ == kStop) return true;
  if (loop_ != sound.loop_ || wait_ != sound.wait_) return false;
  return soundType_ == kFile ? filePath_ == sound.filePath_ : index_ == sound.index_;
}

bool ZCommandSound::execute() {
  return ExecuteSoundRequest(soundType_, index_, filePath_);
}

void ZCommandSound::saveFields(IStorage* storage) const {
  WriteLiteral(storage, L"Sound type", StoredSoundTypeName(soundType_));
  if (soundType_ == kFile) WriteText(storage, L"Filepath", filePath_);
  if (soundType_ == kTheme) WriteInteger(storage, L"Index", index_);
  if (soundType_ != kStop) {
    WriteBoolean(storage, L"Loop", loop_);
    WriteBoolean(storage, L"Wait", wait_);
  }
}

std::unique_ptr<ZCommandSound> ZCommandSound::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandSound>();
  command->setSoundType(record.soundType);
  command->setIndex(record.index);
  command->setFilePath(ansiText(record, record.text));
  command->setLoop(record.loop);
  command->setWait(record.wait);
  return command;
}
