// A program started as a real second process by a test under Wine, with its
// arguments; terminated at the end if it is still running.
#pragma once
#include <windows.h>

#include <string>

class ZChildProcess {
 public:
  // How long a test waits for a process to end by default: generous, a slow
  // machine is no failure.
  static constexpr DWORD kPatience = 30000;

  explicit ZChildProcess(const std::string& program, const std::string& arguments = "") {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    if (!arguments.empty()) command += " " + arguments;
    started_ = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info_) != 0;
  }
  ~ZChildProcess() {
    if (!started_) return;
    if (running()) TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  ZChildProcess(const ZChildProcess&) = delete;
  ZChildProcess& operator=(const ZChildProcess&) = delete;

  bool started() const { return started_; }
  DWORD id() const { return info_.dwProcessId; }
  bool running() const { return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
  // The exit code, or -1 when the process did not end within `ms`.
  long waitForExit(DWORD ms = kPatience) {
    if (!started_ || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};
