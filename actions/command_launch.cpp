#include "actions/command_launch.h"
#include "actions/program_launch.h"

#include "common/storage.h"

bool ZCommandLaunch::setWindowStyle(int style) {
  if (style < 0 || style >= kWindowStyleCount) return false;
  windowStyle_ = style;
  return true;
}

bool ZCommandLaunch::equals(const ZCommand& other) const {
  if (other.typeId() != typeId()) return false;
  const auto& launch = static_cast<const ZCommandLaunch&>(other);
  return filePath_ == launch.filePath_ && commandLine_ == launch.commandLine_ &&
         directory_ == launch.directory_ && windowStyle_ == launch.windowStyle_ &&
         wait_ == launch.wait_;
}

bool ZCommandLaunch::execute() {
  return LaunchProgram(filePath_, commandLine_, directory_, windowStyle_, wait_);
}

void ZCommandLaunch::saveFields(IStorage* storage) const {
  WriteText(storage, L"Filepath", filePath_);
  WriteText(storage, L"Command line", commandLine_);
  WriteText(storage, L"Directory", directory_);
  WriteLiteral(storage, L"Window style", StoredWindowStyleName(windowStyle_));
  WriteBoolean(storage, L"Wait", wait_);
}

std::unique_ptr<ZCommandLaunch> ZCommandLaunch::fromRecord(const CommandRecord& record) {
  auto command = std::make_unique<ZCommandLaunch>();
  command->setFilePath(ansiText(record, record.text));
  command->setCommandLine(ansiText(record, record.commandLine));
  command->setDirectory(ansiText(record, record.directory));
  command->setWindowStyle(record.windowStyle);
  command->setWait(record.wait);
  return command;
}
