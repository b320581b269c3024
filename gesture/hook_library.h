// The main program's side of Zavotra.dll: loads it from the system folder,
// owns the HookSettings record whose address UpdateSettings receives, keeps
// the two capture flags and shows the capture status in the tray icon. One
// instance, made with the main window and destroyed with it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/window_rule.h"
#include "hook/hook_protocol.h"
#include "common/app_context.h"

class HookLibrary : public CaptureSwitch {
 public:
  // Loads systemFolder + "Zavotra.dll". When that fails the user is told and
  // the object stays usable, with capture off for good.
  explicit HookLibrary(const std::string& systemFolder);
  ~HookLibrary() override;
  HookLibrary(const HookLibrary&) = delete;
  HookLibrary& operator=(const HookLibrary&) = delete;

  bool loaded() const { return module_ != nullptr; }
  const std::string& path() const { return path_; }
  HookSettings settings() const;

  void sendSettings(int32_t dragThreshold, int32_t drawButton, int32_t deviceType);
  // Where capture is off: the applications listed and, with the pause on,
  // full-screen windows (then the applications listed keep capture). Skipped
  // by a library without UpdateCaptureExceptions.
  void sendCaptureExceptions(const std::vector<ZWindowRule>& applications, bool pauseInFullScreen);
  void setUserEnable(bool on, bool showStatus);
  void setNotSuspended(bool on, bool showStatus) override;
  void setBoth(bool on, bool showStatus);
  bool isEnabled() const;
  void showCaptureStatus() const;

 private:
  void load();
  void reportLoadFailure(DWORD error) const;
  void setFlags(bool changeUser, bool changeSuspend, bool on, bool showStatus);
  void callUpdate();  // with lock_ held

  std::string path_;
  HMODULE module_ = nullptr;
  UpdateSettingsFn update_ = nullptr;
  UpdateCaptureExceptionsFn updateExceptions_ = nullptr;
  HookSettings settings_ = {};
  mutable std::mutex lock_;  // worker threads suspend capture around their own Ctrl+C
};
