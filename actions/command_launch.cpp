#include "actions/command_launch.h"
#include "actions/program_launch.h"

#include "actions/stored_names.h"
#include "common/storage.h"

namespace {

constexpr const char* kWindowStyleNames[] = {"Normal", "Minimized", "Maximized"};

}  // namespace

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
  WriteLiteral(storage, L"Window style", kWindowStyleNames[windowStyle_]);
  WriteBoolean(storage, L"Wait", wait_);
}

void ZCommandLaunch::loadFields(IStorage* storage) {
  std::string filePath = ReadText(storage, L"Filepath");
  std::string commandLine = ReadText(storage, L"Command line");
  std::string directory = ReadText(storage, L"Directory");
  int windowStyle = RequireStoredName(kWindowStyleNames, ReadLiteral(storage, L"Window style"));
  bool wait = ReadBoolean(storage, L"Wait");
  filePath_ = filePath;
  commandLine_ = commandLine;
  directory_ = directory;
  windowStyle_ = windowStyle;
  wait_ = wait;
}
