// Ownership of the Win32 handles the shell holds: each kind closes with its
// own function, and nothing leaks on an early return.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <utility>

template <typename Handle, typename Traits>
class ZScoped {
 public:
  ZScoped() = default;
  explicit ZScoped(Handle handle) : handle_(handle) {}
  ~ZScoped() { reset(); }
  ZScoped(const ZScoped&) = delete;
  ZScoped& operator=(const ZScoped&) = delete;
  ZScoped(ZScoped&& other) noexcept : handle_(other.release()) {}
  ZScoped& operator=(ZScoped&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return Traits::valid(handle_); }
  Handle release() { return std::exchange(handle_, Traits::invalid()); }
  void reset(Handle handle = Traits::invalid()) {
    if (Traits::valid(handle_)) Traits::close(handle_);
    handle_ = handle;
  }
   private:
  Handle handle_ = Traits::invalid();
};

struct ZFileHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct ZFindHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { FindClose(h); }
};
struct ZModuleTraits {
  static HMODULE invalid() { return nullptr; }
  static bool valid(HMODULE h) { return h != nullptr; }
  static void close(HMODULE h) { FreeLibrary(h); }
};
struct ZInternetTraits {
  static HINTERNET invalid() { return nullptr; }
  static bool valid(HINTERNET h) { return h != nullptr; }
  static void close(HINTERNET h) { InternetCloseHandle(h); }
};
struct ZGdiObjectTraits {
  static HGDIOBJ invalid() { return nullptr; }
  static bool valid(HGDIOBJ h) { return h != nullptr; }
  static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct ZAcceleratorTraits {
  static HACCEL invalid() { return nullptr; }
  static bool valid(HACCEL h) { return h != nullptr; }
  static void close(HACCEL h) { DestroyAcceleratorTable(h); }
};

using ZFileHandle = ZScoped<HANDLE, ZFileHandleTraits>;  // files, threads, events
using ZFindHandle = ZScoped<HANDLE, ZFindHandleTraits>;
using ZModule = ZScoped<HMODULE, ZModuleTraits>;
using ZInternetHandle = ZScoped<HINTERNET, ZInternetTraits>;
using ZGdiObject = ZScoped<HGDIOBJ, ZGdiObjectTraits>;
using ZAccelerators = ZScoped<HACCEL, ZAcceleratorTraits>;
