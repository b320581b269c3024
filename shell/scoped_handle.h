// Ownership of the Win32 handles the shell holds: each kind closes with its
// own function, and nothing leaks on an early return.
#pragma once
#include <windows.h>
#include <wininet.h>

#include "common/scoped_handle.h"

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
