// An owned file handle and whole-count reads and writes on it.
#pragma once
#include <windows.h>

#include <cstddef>

class ZFileHandle {
 public:
  explicit ZFileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~ZFileHandle() { reset(); }
  ZFileHandle(const ZFileHandle&) = delete;
  ZFileHandle& operator=(const ZFileHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  void reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

// True only when all `size` bytes were transferred (sizes below 4 GB).
bool ReadExact(HANDLE file, void* buffer, size_t size);
bool WriteExact(HANDLE file, const void* buffer, size_t size);
