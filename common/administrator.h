// Whether the program runs with administrator rights, and on which family
// of Windows.
#pragma once

// True on Windows 95, 98 and Me; false on the NT family (and when the
// version can't be read).
bool IsWindows95Family();

// True on the Windows 95 family, which has no accounts; elsewhere true when
// the process token holds the built-in Administrators group.
bool IsAdministrator();
