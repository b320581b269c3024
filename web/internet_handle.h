// An owned WinINet handle, closed with InternetCloseHandle.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <utility>

class ZInternetHandle {
 public:
  explicit ZInternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
  ~ZInternetHandle() { reset(); }
  ZInternetHandle(const ZInternetHandle&) = delete;
  ZInternetHandle& operator=(const ZInternetHandle&) = delete;

  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(HINTERNET handle = nullptr) {
    if (handle_) InternetCloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HINTERNET handle_;
};
