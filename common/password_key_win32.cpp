#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/default_key.h"
#include "common/password_key.h"
#include "common/secure_wipe.h"

ZKeyBlock DeriveKey(const char* password) {
  if (password == nullptr || *password == '\0') return DefaultKey();
  const int units = MultiByteToWideChar(CP_ACP, 0, password, -1, nullptr, 0);
  if (units <= 1) return DefaultKey();
  std::vector<wchar_t> wide(units);
  MultiByteToWideChar(CP_ACP, 0, password, -1, wide.data(), units);
  std::u16string text(wide.begin(), wide.end() - 1);
  ZKeyBlock key = KeyFromPassword(text);
  SecureWipe(wide);
  SecureWipe(text);
  return key;
}
