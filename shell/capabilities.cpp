#include "shell/capabilities.h"

#include <windows.h>

#include "common/app_context.h"
#include "shell/optional_functions.h"

void DetectCapabilities() {
  ClearCapabilities();
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool known = GetVersionExA(&version) != 0;
#pragma GCC diagnostic pop
  SetCapability(Capability::NtPlatform, known && version.dwPlatformId == VER_PLATFORM_WIN32_NT);
  const ZOptionalFunctions& functions = OptionalFunctions();
  SetCapability(Capability::LanguageGroups, functions.isValidLanguageGroup != nullptr);
  SetCapability(Capability::MultipleMonitors, GetSystemMetrics(SM_CMONITORS) != 0);
  SetCapability(Capability::AlphaBlend, functions.alphaBlend != nullptr);
  SetCapability(Capability::LayeredWindows, functions.setLayeredWindowAttributes != nullptr);
}
