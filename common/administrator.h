// Whether the program runs with administrator rights.
#pragma once

// True on the Windows 95 family, which has no accounts; elsewhere true when
// the process token holds the built-in Administrators group.
bool IsAdministrator();
