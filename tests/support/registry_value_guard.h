// Registry values put back as they were at the end of a test. Windows tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Keeps a registry value (or its absence) and puts it back at the end.
class ZRegistryValueGuard {
 public:
  ZRegistryValueGuard(HKEY root, const char* key, const char* value) : root_(root), key_(key), value_(value) {
    HKEY opened;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &opened) == ERROR_SUCCESS) {
      BYTE data[2048];
      DWORD size = sizeof data;
      if (RegQueryValueExA(opened, value_.c_str(), nullptr, &type_, data, &size) == ERROR_SUCCESS) {
        present_ = true;
        data_.assign(data, data + size);
      }
      RegCloseKey(opened);
    }
  }
  ~ZRegistryValueGuard() {
    if (present_) Set(root_, key_.c_str(), value_.c_str(), std::string(data_.begin(), data_.end()), type_);
    else Delete(root_, key_.c_str(), value_.c_str());
  }
  static void Set(HKEY root, const char* key, const char* value, const std::string& text, DWORD type = REG_SZ) {
    HKEY opened;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) return;
    const bool raw = type != REG_SZ;
    RegSetValueExA(opened, value, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + (raw ? 0 : 1)));
    RegCloseKey(opened);
  }
  static void Delete(HKEY root, const char* key, const char* value) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, value);
    RegCloseKey(opened);
  }
  // The value as text, or "<missing>".
  static std::string Get(HKEY root, const char* key, const char* value) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return "<missing>";
    char data[2048];
    DWORD size = sizeof data - 1, type = 0;
    LONG status = RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return "<missing>";
    data[size] = '\0';
    return data;
  }

 private:
  HKEY root_;
  std::string key_, value_;
  bool present_ = false;
  DWORD type_ = REG_SZ;
  std::vector<BYTE> data_;
};
