// Real windows for the tests that drive the foreground application: a hidden
// main window (the clipboard owner of the program) and a foreground top-level
// window with an edit control. Actions run on a worker thread while the test
// thread pumps the windows' messages, as in the program.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "common/app_context.h"

// Runs `work` on a thread of its own and pumps this thread's messages until
// it has finished.
inline void RunOnWorker(const std::function<void()>& work) {
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    work();
    finished = true;
  });
  while (!finished) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
  worker.join();
}

// Pumps messages for `ms` milliseconds.
inline void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

class DesktopFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCapability(Capability::NtPlatform, true);
    main_ = CreateWindowExW(0, L"STATIC", L"Zavotra main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, main_);
    SetMainWindow(main_);
    frame_ = CreateWindowExW(0, L"STATIC", L"Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, frame_);
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                            380, 250, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, edit_);
    bringToFront();
  }

  void TearDown() override {
    SetMainWindow(nullptr);
    if (frame_) DestroyWindow(frame_);
    if (main_) DestroyWindow(main_);
  }

  void bringToFront() {
    SetForegroundWindow(frame_);
    SetActiveWindow(frame_);
    SetFocus(edit_);
    PumpFor(100);
  }

  std::wstring editText() const {
    wchar_t buffer[1024] = {};
    GetWindowTextW(edit_, buffer, 1024);
    return buffer;
  }

  HWND main_ = nullptr;
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};
