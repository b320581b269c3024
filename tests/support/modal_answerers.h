// Helpers for code that blocks in a modal message box: a
// thread of the test finds the window this process shows, notes what it
// offers and answers it, so that the code under test goes on. Windows tests.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace modal_detail {
inline std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct Search {
  const char* className;
  HWND found = nullptr;
};

inline BOOL CALLBACK FindOwn(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && ClassOf(window) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of this process of the class, or null.
inline HWND FindOwnWindow(const char* className) {
  Search search{className};
  EnumWindows(FindOwn, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
}  // namespace modal_detail

// Answers the message boxes of this process in turn with the given buttons
// (IDYES, IDNO, IDOK, ...) and records caption and text of each.
class ZMessageBoxAnswerer {
 public:
  struct Seen {
    std::string caption;
    std::string text;
  };

  explicit ZMessageBoxAnswerer(std::vector<int> answers)
      : answers_(std::move(answers)), thread_([this] { run(); }) {}
  ~ZMessageBoxAnswerer() { stop(); }
  ZMessageBoxAnswerer(const ZMessageBoxAnswerer&) = delete;
  ZMessageBoxAnswerer& operator=(const ZMessageBoxAnswerer&) = delete;

  // Ends the watch; what was seen so far.
  std::vector<Seen> stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  void run() {
    size_t next = 0;
    std::vector<HWND> answered;
    for (int waited = 0; !stop_ && next < answers_.size() && waited < 30000; waited += 10) {
      HWND box = modal_detail::FindOwnWindow("#32770");
      bool known = false;
      for (HWND w : answered) known = known || w == box;
      if (box && !known) {
        char caption[512] = "", text[2048] = "";
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static text
        seen_.push_back(Seen{caption, text});
        answered.push_back(box);
        PostMessageA(box, WM_COMMAND, answers_[next++], 0);
      }
      Sleep(10);
    }
  }

  std::vector<int> answers_;
  std::vector<Seen> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
