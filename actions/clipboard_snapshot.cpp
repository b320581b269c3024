#include "actions/clipboard_snapshot.h"

#include <cstring>

namespace {

constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryMs = 20;

enum class FormatKind { Memory, Bitmap, EnhancedMetafile, NotKept };

FormatKind KindOf(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_DSPBITMAP:
      return FormatKind::Bitmap;
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
      return FormatKind::EnhancedMetafile;
    case CF_METAFILEPICT:     // a memory block that holds a metafile handle
    case CF_DSPMETAFILEPICT:
    case CF_PALETTE:
    case CF_OWNERDISPLAY:
      return FormatKind::NotKept;
    default:
      break;
  }
  if (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) return FormatKind::NotKept;
  if (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST) return FormatKind::NotKept;
  return FormatKind::Memory;
}

// A global memory block, freed unless handed to the clipboard.
class GlobalBlock {
 public:
  explicit GlobalBlock(size_t size) : handle_(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size)) {}
  ~GlobalBlock() {
    if (handle_) GlobalFree(handle_);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL get() const { return handle_; }
  HGLOBAL release() {
    HGLOBAL handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HGLOBAL handle_;
};

// Locks a global block for reading or writing for the lifetime of the object.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL handle) : handle_(handle), data_(GlobalLock(handle)) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(handle_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* data() const { return data_; }

 private:
  HGLOBAL handle_;
  void* data_;
};

}  // namespace

ZClipboardOpener::ZClipboardOpener(HWND owner) {
  for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
    if (attempt > 0) Sleep(kOpenRetryMs);
    open_ = OpenClipboard(owner) != FALSE;
  }
}

ZClipboardOpener::~ZClipboardOpener() {
  if (open_) CloseClipboard();
}

// One saved format: bytes for memory formats, an owned GDI copy otherwise.
struct ZSavedClipboard::Entry {
  UINT format = 0;
  FormatKind kind = FormatKind::Memory;
  std::vector<uint8_t> bytes;
  HANDLE object = nullptr;

  ~Entry() { freeObject(); }

  void freeObject() {
    if (!object) return;
    if (kind == FormatKind::Bitmap) DeleteObject(object);
    if (kind == FormatKind::EnhancedMetafile) DeleteEnhMetaFile(static_cast<HENHMETAFILE>(object));
    object = nullptr;
  }

  bool copyFrom(HANDLE data) {
    switch (kind) {
      case FormatKind::Memory:
        return copyMemory(data);
      case FormatKind::Bitmap:
        object = CopyImage(data, IMAGE_BITMAP, 0, 0, 0);
        return object != nullptr;
      case FormatKind::EnhancedMetafile:
        object = CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr);
        return object != nullptr;
      case FormatKind::NotKept:
        break;
    }
    return false;
  }

  bool copyMemory(HANDLE data) {
    const SIZE_T size = GlobalSize(data);
    GlobalLockGuard lock(data);
    if (!lock.data()) return false;
    const auto* source = static_cast<const uint8_t*>(lock.data());
    bytes.assign(source, source + size);
    return true;
  }

  // Hands a fresh handle to the open clipboard; the clipboard owns it after.
  void putBack() {
    if (kind == FormatKind::Memory) {
      GlobalBlock block(bytes.empty() ? 1 : bytes.size());
      if (!block.get()) return;
      {
        GlobalLockGuard lock(block.get());
        if (!lock.data()) return;
        if (!bytes.empty()) std::memcpy(lock.data(), bytes.data(), bytes.size());
      }
      if (SetClipboardData(format, block.get())) block.release();
      return;
    }
    if (SetClipboardData(format, object)) object = nullptr;
  }
};

ZSavedClipboard::ZSavedClipboard() = default;
ZSavedClipboard::~ZSavedClipboard() = default;

void ZSavedClipboard::discard() {
  entries_.clear();
  saved_ = false;
}

bool ZSavedClipboard::save(HWND owner) {
  ZClipboardOpener clipboard(owner);
  if (!clipboard.isOpen()) return false;
  discard();
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    const FormatKind kind = KindOf(format);
    if (kind == FormatKind::NotKept) continue;
    HANDLE data = GetClipboardData(format);
    if (!data) continue;
    auto entry = std::make_unique<Entry>();
    entry->format = format;
    entry->kind = kind;
    if (entry->copyFrom(data)) entries_.push_back(std::move(entry));
  }
  saved_ = true;
  return true;
}

bool ZSavedClipboard::restore(HWND owner) {
  if (!saved_) return true;
  ZClipboardOpener clipboard(owner);
  if (!clipboard.isOpen()) return false;
  EmptyClipboard();
  for (auto& entry : entries_) entry->putBack();
  discard();
  return true;
}
