#include "common/administrator.h"

#include <windows.h>

#include <vector>

namespace {

class ZTokenHandle {
 public:
  explicit ZTokenHandle(HANDLE owned) : handle_(owned) {}
  ~ZTokenHandle() {
    if (handle_) CloseHandle(handle_);
  }
  ZTokenHandle(const ZTokenHandle&) = delete;
  ZTokenHandle& operator=(const ZTokenHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class ZSid {
 public:
  ~ZSid() {
    if (sid_) FreeSid(sid_);
  }
  PSID* put() { return &sid_; }
  PSID get() const { return sid_; }

 private:
  PSID sid_ = nullptr;
};

// The token's group list, sized as the token asks (a domain account may hold
// far more groups than a fixed buffer takes).
std::vector<BYTE> GroupsOfToken(HANDLE token) {
  DWORD size = 0;
  GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return {};
  return buffer;
}

}  // namespace

bool IsWindows95Family() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool IsAdministrator() {
  if (IsWindows95Family()) return true;
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
  ZTokenHandle token(opened);
  std::vector<BYTE> buffer = GroupsOfToken(token.get());
  if (buffer.empty()) return false;
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  ZSid administrators;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                0, 0, 0, 0, administrators.put())) {
    return false;
  }
  const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  for (DWORD i = 0; i < groups->GroupCount; ++i) {
    if (EqualSid(groups->Groups[i].Sid, administrators.get())) return true;
  }
  return false;
}
