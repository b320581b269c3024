// Finds the message box this process shows, records its caption and text,
// and closes it with its OK button, from a thread of its own.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class MessageBoxWatcher {
 public:
  MessageBoxWatcher() : thread_([this] { watch(); }) {}
  ~MessageBoxWatcher() {
    stop_ = true;
    join();
  }
  // Waits for the watcher to finish (a box was closed or it gave up).
  void join() {
    if (thread_.joinable()) thread_.join();
  }
  bool seen() const { return seen_; }
  const std::string& caption() const { return caption_; }
  const std::string& text() const { return text_; }
  bool hasWarningIcon() const { return icon_; }

 private:
  static BOOL CALLBACK FindOwnDialog(HWND window, LPARAM result) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (process == GetCurrentProcessId() && std::string(cls) == "#32770" && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(result) = window;
      return FALSE;
    }
    return TRUE;
  }

  void watch() {
    for (int tries = 0; tries < 1000 && !stop_; ++tries) {  // up to 20 s
      HWND box = nullptr;
      EnumWindows(FindOwnDialog, reinterpret_cast<LPARAM>(&box));
      if (box) {
        char buffer[1024] = "";
        GetWindowTextA(box, buffer, sizeof buffer);
        caption_ = buffer;
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the message's static text
        text_ = buffer;
        icon_ = FindWindowExA(box, nullptr, "Static", nullptr) != nullptr &&
                (SendDlgItemMessageA(box, 0x14, STM_GETICON, 0, 0) != 0 ||  // Windows
                 SendDlgItemMessageA(box, 1088, STM_GETICON, 0, 0) != 0);  // Wine
        seen_ = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  }

  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  bool icon_ = false;
  std::string caption_;
  std::string text_;
  std::thread thread_;
};
