// A copy of everything the clipboard held, taken before the program puts its
// own text there and put back afterwards, format by format.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

// Opens the clipboard for `owner`, retrying briefly while another program
// holds it; closes it when destroyed.
class ZClipboardOpener {
 public:
  explicit ZClipboardOpener(HWND owner);
  ~ZClipboardOpener();
  ZClipboardOpener(const ZClipboardOpener&) = delete;
  ZClipboardOpener& operator=(const ZClipboardOpener&) = delete;
  bool isOpen() const { return open_; }

 private:
  bool open_ = false;
};

// Memory formats are kept as bytes. Bitmaps and enhanced metafiles are GDI
// objects, kept as copies (CopyImage, CopyEnhMetaFile). Palettes, old-style
// metafile pictures, owner-display, private and GDI-object-range formats are
// not kept: their handles cannot be copied as bytes, and the system derives
// palettes and metafile pictures again from the bitmaps and enhanced
// metafiles that are restored.
class ZSavedClipboard {
 public:
  ZSavedClipboard();
  ~ZSavedClipboard();
  ZSavedClipboard(const ZSavedClipboard&) = delete;
  ZSavedClipboard& operator=(const ZSavedClipboard&) = delete;

  // Copies the clipboard; false when it cannot be opened.
  bool save(HWND owner);
  // Empties the clipboard and puts the saved formats back, `owner` owning it
  // afterwards. A clipboard saved empty is emptied again. Does nothing and
  // succeeds when nothing was saved. False when it cannot be opened.
  bool restore(HWND owner);

  bool saved() const { return saved_; }
  size_t count() const { return entries_.size(); }

 private:
  struct Entry;
  void discard();
  bool saved_ = false;
  std::vector<std::unique_ptr<Entry>> entries_;
};
