#include "actions/text_insertion.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "actions/action_workers.h"
#include "actions/clipboard_snapshot.h"
#include "actions/date_time_text.h"
#include "actions/html_fragment.h"
#include "actions/keystrokes.h"
#include "actions/word_selection.h"
#include "common/ansi_text.h"
#include "common/window_tree.h"
#include "common/app_context.h"

namespace {

// The clipboard's turn, held from saving the user's clipboard to restoring
// it. Two actions running at once would otherwise each save what the other
// had put there, and the last to restore would leave our text on the user's
// clipboard; the second one could also find the clipboard held open by the
// first and give up. A kernel mutex, so that the wait for the turn also ends
// when the running actions are asked to stop.
HANDLE ClipboardTurnMutex() {
  static std::atomic<HANDLE> mutex{nullptr};
  if (HANDLE existing = mutex.load()) return existing;
  HANDLE made = CreateMutexA(nullptr, FALSE, nullptr);
  if (!made) return nullptr;
  HANDLE expected = nullptr;
  if (mutex.compare_exchange_strong(expected, made)) return made;
  CloseHandle(made);
  return expected;
}

class ZClipboardTurn {
 public:
  ZClipboardTurn() : mutex_(ClipboardTurnMutex()) {
    if (!mutex_) return;
    const HANDLE waits[] = {mutex_, ActionStopEvent()};
    const DWORD count = waits[1] ? 2 : 1;
    const DWORD result = WaitForMultipleObjects(count, waits, FALSE, INFINITE);
    // An abandoned turn (its holder was ended by force) is ours all the same.
    taken_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0;
  }
  ~ZClipboardTurn() {
    if (taken_) ReleaseMutex(mutex_);
  }
  ZClipboardTurn(const ZClipboardTurn&) = delete;
  ZClipboardTurn& operator=(const ZClipboardTurn&) = delete;
  // False when the running actions were asked to stop first.
  bool taken() const { return taken_; }

 private:
  HANDLE mutex_;
  bool taken_ = false;
};

// A global block holding `size` bytes copied from `data`; null on failure.
HGLOBAL CopyToGlobal(const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  if (!block) return nullptr;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(block);
  return block;
}

// Puts the text on the open clipboard: UTF-16 on the NT platform, the system
// code page elsewhere, each with its terminating zero.
bool PutText(const std::wstring& text) {
  HGLOBAL block;
  UINT format;
  if (HasCapability(Capability::NtPlatform)) {
    block = CopyToGlobal(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    format = CF_UNICODETEXT;
  } else {
    const std::string ansi = WideToAnsi(text);
    block = CopyToGlobal(ansi.c_str(), ansi.size() + 1);
    format = CF_TEXT;
  }
  if (!block) return false;
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

bool PasteThroughClipboard(const std::wstring& text) {
  ZClipboardTurn turn;
  if (!turn.taken()) return false;
  HWND owner = MainWindow();
  ZSavedClipboard saved;
  saved.save(owner);
  {
    ZClipboardOpener clipboard(owner);
    if (!clipboard.isOpen()) return false;
    EmptyClipboard();
    PutText(text);
  }
  // At exit the wait is cut short, and the user's clipboard comes back all
  // the same.
  const bool pasted = Paste();
  if (pasted) WaitUnlessStopped(kPasteSettleMs);
  saved.restore(owner);
  return pasted;
}

// Bytes of a clipboard format's memory block, bounded by the block's size.
std::vector<char> FormatBytes(UINT format) {
  HANDLE data = GetClipboardData(format);
  if (!data) return {};
  const SIZE_T size = GlobalSize(data);
  const void* bytes = GlobalLock(data);
  if (!bytes) return {};
  std::vector<char> copy(static_cast<const char*>(bytes), static_cast<const char*>(bytes) + size);
  GlobalUnlock(data);
  return copy;
}

// Text of a NUL-terminated format, never beyond its block.
std::wstring UnicodeText() {
  const std::vector<char> bytes = FormatBytes(CF_UNICODETEXT);
  const size_t units = bytes.size() / sizeof(wchar_t);
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), units);
  return text.substr(0, text.find(L'\0'));
}

std::wstring AnsiText() {
  const std::vector<char> bytes = FormatBytes(CF_TEXT);
  const size_t length = std::find(bytes.begin(), bytes.end(), '\0') - bytes.begin();
  return AnsiToWide(std::string(bytes.data(), length));
}

// Reads what Ctrl+C put on the open clipboard: the HTML fragment as plain
// text when there is one, else the text.
std::wstring ReadCopiedText() {
  if (CountClipboardFormats() == 0) return std::wstring();
  const UINT html = RegisterClipboardFormatA("HTML Format");
  if (html && IsClipboardFormatAvailable(html)) {
    const std::vector<char> bytes = FormatBytes(html);
    std::u16string fragment;
    if (ReadHtmlFragment(bytes.data(), bytes.size(), fragment))
      return std::wstring(fragment.begin(), fragment.end());
  }
  return HasCapability(Capability::NtPlatform) ? UnicodeText() : AnsiText();
}

std::wstring CopySelection() {
  ZClipboardTurn turn;
  if (!turn.taken()) return std::wstring();
  HWND owner = MainWindow();
  ZSavedClipboard saved;
  saved.save(owner);
  {
    ZClipboardOpener clipboard(owner);
    if (clipboard.isOpen()) EmptyClipboard();
  }
  if (Copy()) WaitUnlessStopped(kCopySettleMs);
  std::wstring selection;
  {
    ZClipboardOpener clipboard(owner);
    if (clipboard.isOpen()) selection = ReadCopiedText();
  }
  saved.restore(owner);
  return selection;
}

}  // namespace

bool InsertText(const std::wstring& text, bool useClipboard) {
  if (!useClipboard) return TypeText(text);
  return PasteThroughClipboard(text);
}

bool InsertDateText(int format) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string text;
  if (!FormatDateText(format, now.wDay, now.wMonth, now.wYear, text)) return true;
  return InsertText(AnsiToWide(text), true);
}

bool InsertTimeText(int format) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::string text;
  if (!FormatTimeText(format, now.wHour, now.wMinute, now.wSecond, text)) return true;
  return InsertText(AnsiToWide(text), true);
}

std::wstring GetSelection() {
  HWND topLevel = TopLevelOf(GetForegroundWindow());
  if (WindowClassName(topLevel) == "OpusApp") {
    std::wstring selection;
    if (ReadWordSelection(topLevel, selection)) return selection;
  }
  return CopySelection();
}
