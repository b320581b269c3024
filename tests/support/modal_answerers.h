// Helpers for code that blocks in a modal message box or popup menu: a
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

// Waits for the popup menu this process shows, notes its entries (also
// those of its submenus), then presses the given keys in it (by default
// Escape: it closes without a choice).
class ZPopupMenuReader {
 public:
  struct Entry {
    UINT id;
    std::string text;
    bool enabled;
    bool checked;
    std::vector<Entry> submenu;
  };

  explicit ZPopupMenuReader(std::vector<WPARAM> keys = {VK_ESCAPE})
      : keys_(std::move(keys)), thread_([this] { run(); }) {}
  ~ZPopupMenuReader() { join(); }
  ZPopupMenuReader(const ZPopupMenuReader&) = delete;
  ZPopupMenuReader& operator=(const ZPopupMenuReader&) = delete;

  // Waits until the menu was seen and closed (or 20 s passed).
  const std::vector<Entry>& entries() {
    join();
    return entries_;
  }
  // The entry with this text, searched depth first; null when none.
  const Entry* find(const std::string& text) {
    join();
    return Find(entries_, text);
  }

 private:
  static const Entry* Find(const std::vector<Entry>& entries, const std::string& text) {
    for (const Entry& entry : entries) {
      if (entry.text == text) return &entry;
      if (const Entry* inside = Find(entry.submenu, text)) return inside;
    }
    return nullptr;
  }

  static std::vector<Entry> Read(HMENU menu) {
    std::vector<Entry> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      char text[256] = "";
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
      info.dwTypeData = text;
      info.cch = sizeof text;
      if (!GetMenuItemInfoA(menu, i, TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
      Entry entry{info.wID, text, !(info.fState & MFS_GRAYED), (info.fState & MFS_CHECKED) != 0, {}};
      if (info.hSubMenu) entry.submenu = Read(info.hSubMenu);
      entries.push_back(entry);
    }
    return entries;
  }

  void join() {
    if (thread_.joinable()) thread_.join();
  }

  void run() {
    for (int waited = 0; waited < 20000; waited += 10) {
      HWND window = modal_detail::FindOwnWindow("#32768");
      HMENU menu = window ? reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) : nullptr;
      if (menu) {
        entries_ = Read(menu);
        // The menu's own loop reads the keyboard of its thread.
        for (WPARAM key : keys_) {
          PostMessageA(window, WM_KEYDOWN, key, 0);
          Sleep(50);
        }
        return;
      }
      Sleep(10);
    }
  }

  std::vector<WPARAM> keys_;
  std::vector<Entry> entries_;
  std::thread thread_;
};
