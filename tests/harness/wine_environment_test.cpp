// The test session must give every Windows test a working display, window
// manager-free windows and the real structured storage; these checks fail
// loudly when the Wine session is set up wrongly instead of letting the
// subsystem tests fail in confusing ways.
#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>

TEST(WineEnvironment, ScreenHasAPixelSizeAndWindowsCanBeShown) {
  EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
  HWND window = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  DestroyWindow(window);
}

TEST(WineEnvironment, CompoundFilesCanBeCreated) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
  char dir[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, dir), 0u);
  wchar_t path[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, (std::string(dir) + "probe.stg").c_str(), -1, path, MAX_PATH);
  IStorage* storage = nullptr;
  ASSERT_EQ(StgCreateDocfile(path, STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE, 0, &storage), S_OK);
  storage->Release();
  DeleteFileW(path);
  CoUninitialize();
}
