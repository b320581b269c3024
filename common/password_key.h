// Turning a password into a key block. Main program only.
#pragma once
#include <string>

#include "common/key_block.h"

// SHA-1 over the password's UTF-8 form (the program's own encoder, no
// terminator), used with ZKeyBlock::kProfileLength bytes. An empty password
// gives DefaultKey().
ZKeyBlock KeyFromPassword(const std::u16string& password);

#ifdef _WIN32
// The same for a password in the system's ANSI code page.
ZKeyBlock DeriveKey(const char* password);
#endif
