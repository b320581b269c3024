// ZFindHandle owns a directory search handle and closes it with FindClose.
#pragma once
#include <windows.h>

class ZFindHandle {
 public:
  ZFindHandle() = default;
  explicit ZFindHandle(HANDLE owned) : handle_(owned) {}
  ~ZFindHandle() {
    if (valid()) FindClose(handle_);
  }
  ZFindHandle(const ZFindHandle&) = delete;
  ZFindHandle& operator=(const ZFindHandle&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
