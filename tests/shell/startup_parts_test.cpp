// Pieces of the start-up in process: the optional system functions, the
// capability flags, the installation folder lookup and the splash screen.
#include <gtest/gtest.h>

#include "common/app_context.h"
#include "shell/capabilities.h"
#include "shell/optional_functions.h"
#include "shell/registry_entries.h"
#include "shell/splash_screen.h"
#include "shell_test_support.h"

TEST(StartupParts, OptionalFunctionsAreFoundAndTheFlagsFollowThem) {
  const ZOptionalFunctions& f = OptionalFunctions();
  // Wine has all of them; GetMonitorInfo and GetWindowModuleFileName only with the A suffix.
  EXPECT_NE(f.isValidLanguageGroup, nullptr);
  EXPECT_NE(f.getMonitorInfo, nullptr);
  EXPECT_NE(f.monitorFromPoint, nullptr);
  EXPECT_NE(f.monitorFromRect, nullptr);
  EXPECT_NE(f.setLayeredWindowAttributes, nullptr);
  EXPECT_NE(f.updateLayeredWindow, nullptr);
  EXPECT_NE(f.getWindowModuleFileName, nullptr);
  EXPECT_NE(f.alphaBlend, nullptr);

  SetCapability(Capability::Reserved, true);
  DetectCapabilities();
  EXPECT_TRUE(HasCapability(Capability::NtPlatform));
  EXPECT_FALSE(HasCapability(Capability::Reserved));
  EXPECT_TRUE(HasCapability(Capability::LanguageGroups));
  EXPECT_TRUE(HasCapability(Capability::MultipleMonitors));
  EXPECT_TRUE(HasCapability(Capability::AlphaBlend));
  EXPECT_TRUE(HasCapability(Capability::LayeredWindows));

  // The looked-up entry is the real function.
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  HMONITOR monitor = f.monitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  ASSERT_TRUE(f.getMonitorInfo(monitor, &info));
  EXPECT_EQ(info.rcMonitor.right - info.rcMonitor.left, GetSystemMetrics(SM_CXSCREEN));
}

TEST(StartupParts, TheInstallationFolderComesFromTheUserThenTheMachineThenTheProgram) {
  ZRegistryValueGuard user(HKEY_CURRENT_USER, kProductKey, "AppFolder");
  ZRegistryValueGuard machine(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder");
  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, "AppFolder", "C:\\User Choice");
  ZRegistryValueGuard::Set(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder", "C:\\Machine\\");
  EXPECT_EQ(ResolveInstallFolder(), "C:\\User Choice\\");
  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, "AppFolder", "");
  EXPECT_EQ(ResolveInstallFolder(), "C:\\Machine\\");
  ZRegistryValueGuard::Delete(HKEY_CURRENT_USER, kProductKey, "AppFolder");
  ZRegistryValueGuard::Delete(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder");
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder(program);
  folder.erase(folder.find_last_of('\\') + 1);
  EXPECT_EQ(ResolveInstallFolder(), folder);
}

TEST(StartupParts, TheSplashIsTopmostCentredInactiveAndGoesAwayByItself) {
  const DWORD started = GetTickCount();
  HWND splash = ShowSplashScreen();
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(IsWindowVisible(splash));
  EXPECT_TRUE(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetForegroundWindow(), splash);
  // Other test programs may bring their own windows forward meanwhile, so the
  // check is that the splash itself never became its thread's active window.
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(splash, nullptr), &gui));
  EXPECT_NE(gui.hwndActive, splash);
  RECT r;
  GetWindowRect(splash, &r);
  EXPECT_EQ(r.right - r.left, 360);  // the size of bitmap 271
  EXPECT_EQ(r.bottom - r.top, 200);
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((r.left + r.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (area.top + area.bottom) / 2, 1);

  // Start-up's progress report does not cut it short.
  PostMessageA(splash, WM_COMMAND, IDCANCEL, 0);
  while (IsWindow(splash) && GetTickCount() - started < 30000) Sleep(20);
  EXPECT_FALSE(IsWindow(splash));
  EXPECT_GE(GetTickCount() - started, 2500u);
}
