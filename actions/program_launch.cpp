#include "actions/program_launch.h"

#include <shellapi.h>

#include <vector>

#include "actions/action_workers.h"

namespace {

constexpr const char* kRootFolder = "C:\\";
// WaitForInputIdle takes no second handle to wake on, so it is asked again
// every so often: an exit then never waits for a program that stays busy.
constexpr DWORD kIdlePollMs = 50;

// Owns the two handles CreateProcess gives back.
class ZProcessHandles {
 public:
  ZProcessHandles() { ZeroMemory(&info_, sizeof info_); }
  ~ZProcessHandles() {
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
  }
  ZProcessHandles(const ZProcessHandles&) = delete;
  ZProcessHandles& operator=(const ZProcessHandles&) = delete;
  PROCESS_INFORMATION* get() { return &info_; }
  HANDLE process() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_;
};

void StartAndWaitUntilIdle(const std::string& path, const std::string& parameters,
                           const std::string& directory, int showCommand) {
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  // CreateProcessA may write into the command line.
  const std::string line = LaunchCommandLine(path, parameters);
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  const char* folder = directory.empty() ? kRootFolder : directory.c_str();
  ZProcessHandles process;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, process.get()))
    return;
  while (WaitForInputIdle(process.process(), kIdlePollMs) == WAIT_TIMEOUT)
    if (ActionStopRequested()) return;
}

}  // namespace

int LaunchShowCommand(int windowStyle) {
  switch (windowStyle) {
    case 1: return SW_MINIMIZE;
    case 2: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
  }
}

std::string LaunchCommandLine(const std::string& path, const std::string& parameters) {
  std::string line = "\"" + path + "\"";
  if (!parameters.empty()) line += " " + parameters;
  return line;
}

bool LaunchProgram(const std::string& path, const std::string& parameters,
                   const std::string& directory, int windowStyle, bool wait) {
  const int show = LaunchShowCommand(windowStyle);
  if (wait) {
    StartAndWaitUntilIdle(path, parameters, directory, show);
  } else {
    ShellExecuteA(nullptr, nullptr, path.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                  directory.empty() ? nullptr : directory.c_str(), show);
  }
  return true;
}
