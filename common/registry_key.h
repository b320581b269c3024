// ZRegistryKey owns an open registry key and closes it with RegCloseKey.
// Predefined root keys (HKEY_CURRENT_USER...) are never owned by it.
#pragma once
#include <windows.h>

class ZRegistryKey {
 public:
  ZRegistryKey() = default;
  explicit ZRegistryKey(HKEY owned) : key_(owned) {}
  ~ZRegistryKey() { reset(); }
  ZRegistryKey(const ZRegistryKey&) = delete;
  ZRegistryKey& operator=(const ZRegistryKey&) = delete;
  ZRegistryKey(ZRegistryKey&& other) noexcept : key_(other.release()) {}
  ZRegistryKey& operator=(ZRegistryKey&& other) noexcept;

  // Opens an existing key; false (and no key) on failure.
  bool open(HKEY parent, const char* subKey, REGSAM access = KEY_READ);
  // Opens the key, creating it (and its missing parents) when needed.
  bool create(HKEY parent, const char* subKey, REGSAM access = KEY_READ | KEY_WRITE);

  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY release();
  void reset(HKEY owned = nullptr);

 private:
  HKEY key_ = nullptr;
};
