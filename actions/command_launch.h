// Starts a program or opens a document.
#pragma once
#include "actions/command.h"

class ZCommandLaunch : public ZCommandKind<ZCommandLaunch, kCommandLaunch> {
 public:
  enum WindowStyle : int { kNormal = 0, kMinimized = 1, kMaximized = 2, kWindowStyleCount };

  const std::string& filePath() const { return filePath_; }
  void setFilePath(const std::string& path) { filePath_ = path; }
  const std::string& commandLine() const { return commandLine_; }
  void setCommandLine(const std::string& line) { commandLine_ = line; }
  // Starting directory; may be empty.
  const std::string& directory() const { return directory_; }
  void setDirectory(const std::string& directory) { directory_ = directory; }
  int windowStyle() const { return windowStyle_; }
  // False, unchanged, for a value outside WindowStyle.
  bool setWindowStyle(int style);
  // Whether the next command waits until the program is ready for input.
  bool wait() const { return wait_; }
  void setWait(bool wait) { wait_ = wait; }

  bool equals(const ZCommand& other) const override;
  bool execute() override;
  static std::unique_ptr<ZCommandLaunch> fromRecord(const CommandRecord& record);

 protected:
  void saveFields(IStorage* storage) const override;

 private:
  std::string filePath_;
  std::string commandLine_;
  std::string directory_;
  int windowStyle_ = kNormal;
  bool wait_ = false;
};
