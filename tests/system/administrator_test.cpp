#include <windows.h>
#include <gtest/gtest.h>

#include "common/administrator.h"

namespace {

// The system's own membership check is the reference.
bool SystemSaysAdministrator() {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                0, 0, 0, &administrators)) {
    return false;
  }
  BOOL member = FALSE;
  CheckTokenMembership(nullptr, administrators, &member);
  FreeSid(administrators);
  return member != FALSE;
}

TEST(IsAdministrator, AgreesWithTheSystemMembershipCheck) {
  EXPECT_EQ(IsAdministrator(), SystemSaysAdministrator());
}

}  // namespace
