#include "common/registry_key.h"

ZRegistryKey& ZRegistryKey::operator=(ZRegistryKey&& other) noexcept {
  if (this != &other) reset(other.release());
  return *this;
}

bool ZRegistryKey::open(HKEY parent, const char* subKey, REGSAM access) {
  HKEY opened = nullptr;
  LONG status = RegOpenKeyExA(parent, subKey, 0, access, &opened);
  reset(status == ERROR_SUCCESS ? opened : nullptr);
  return key_ != nullptr;
}

bool ZRegistryKey::create(HKEY parent, const char* subKey, REGSAM access) {
  HKEY opened = nullptr;
  LONG status = RegCreateKeyExA(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                &opened, nullptr);
  reset(status == ERROR_SUCCESS ? opened : nullptr);
  return key_ != nullptr;
}

HKEY ZRegistryKey::release() {
  HKEY owned = key_;
  key_ = nullptr;
  return owned;
}

void ZRegistryKey::reset(HKEY owned) {
  if (key_ && key_ != owned) RegCloseKey(key_);
  key_ = owned;
}
