#include "gesture/hook_library.h"

#include "common/tray_icon.h"
#include "resources/zavotra_ids.h"

namespace {

const char kProgramTitle[] = "Zavotra";
const char kLibraryName[] = "Zavotra.dll";

std::string LoadResourceString(UINT id) {
  char buffer[1024] = {};
  const int length = LoadStringA(AppInstance(), id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

// The system's own wording for an error, in the default language.
std::string SystemErrorText(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length && text ? std::string(text, length) : std::string();
  if (text) LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  if (result.empty()) result = "Error " + std::to_string(error);
  return result;
}

std::string WithTrailingBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

}  // namespace

HookLibrary::HookLibrary(const std::string& systemFolder)
    : path_(WithTrailingBackslash(systemFolder) + kLibraryName) {
  load();
  SetActiveCaptureSwitch(this);
}

HookLibrary::~HookLibrary() {
  if (ActiveCaptureSwitch() == this) SetActiveCaptureSwitch(nullptr);
  std::lock_guard<std::mutex> guard(lock_);
  if (!module_) return;
  if (auto release = reinterpret_cast<ReleaseHooksFn>(GetProcAddress(module_, "ReleaseHooks"))) release();
  FreeLibrary(module_);
  module_ = nullptr;
}

void HookLibrary::load() {
  // A broken file must not bring up the system's own error box as well.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  module_ = LoadLibraryA(path_.c_str());
  const DWORD error = GetLastError();
  SetThreadErrorMode(previousMode, nullptr);
  settings_.userEnable = 0;
  settings_.notSuspended = 0;
  if (!module_) {
    reportLoadFailure(error);
    showCaptureStatus();
    return;
  }
  update_ = reinterpret_cast<UpdateSettingsFn>(GetProcAddress(module_, "UpdateSettings"));
  updateExceptions_ =
      reinterpret_cast<UpdateCaptureExceptionsFn>(GetProcAddress(module_, "UpdateCaptureExceptions"));
}

void HookLibrary::reportLoadFailure(DWORD error) const {
  MessageBoxA(MainWindow(), SystemErrorText(error).c_str(), kProgramTitle, MB_OK);
  MessageBoxA(MainWindow(), LoadResourceString(IDS_HOOK_LIBRARY_MISSING).c_str(), path_.c_str(),
              MB_OK | MB_ICONWARNING);
}

HookSettings HookLibrary::settings() const {
  std::lock_guard<std::mutex> guard(lock_);
  return settings_;
}

void HookLibrary::sendSettings(int32_t dragThreshold, int32_t drawButton, int32_t deviceType) {
  std::lock_guard<std::mutex> guard(lock_);
  settings_.dragThreshold = dragThreshold;
  settings_.drawButton = drawButton;
  settings_.deviceType = deviceType;
  callUpdate();
}

void HookLibrary::sendCaptureExceptions(const std::vector<ZWindowRule>& applications, bool pauseInFullScreen) {
  std::string texts;
  for (const ZWindowRule& rule : applications) {
    // A text is zero-terminated in the record: one holding a NUL ends there.
    texts.append(rule.key.c_str()).push_back('\0');
    texts.append(rule.caption.c_str()).push_back('\0');
  }
  HookCaptureExceptions record = {};
  record.flags = pauseInFullScreen ? HOOK_PAUSE_IN_FULL_SCREEN : 0;
  record.count = static_cast<uint32_t>(applications.size());
  record.texts = texts.data();
  record.textsSize = static_cast<uint32_t>(texts.size());
  std::lock_guard<std::mutex> guard(lock_);
  if (updateExceptions_) updateExceptions_(&record);
}

void HookLibrary::setUserEnable(bool on, bool showStatus) { setFlags(true, false, on, showStatus); }
void HookLibrary::setNotSuspended(bool on, bool showStatus) { setFlags(false, true, on, showStatus); }
void HookLibrary::setBoth(bool on, bool showStatus) { setFlags(true, true, on, showStatus); }

void HookLibrary::setFlags(bool changeUser, bool changeSuspend, bool on, bool showStatus) {
  {
    std::lock_guard<std::mutex> guard(lock_);
    const uint8_t value = module_ && on ? 1 : 0;
    if (changeUser) settings_.userEnable = value;
    if (changeSuspend) settings_.notSuspended = value;
    callUpdate();
  }
  if (showStatus) showCaptureStatus();
}

bool HookLibrary::isEnabled() const {
  std::lock_guard<std::mutex> guard(lock_);
  return settings_.userEnable == 1 && settings_.notSuspended == 1;
}

void HookLibrary::showCaptureStatus() const {
  if (isEnabled())
    TrayIcon().show(IDI_CAPTURE_ENABLED, LoadResourceString(IDS_CAPTURE_ENABLED));
  else
    TrayIcon().show(IDI_CAPTURE_DISABLED, LoadResourceString(IDS_CAPTURE_DISABLED));
}

void HookLibrary::callUpdate() {
  if (update_) update_(&settings_);
}
