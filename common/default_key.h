// The key that stands for "no password": profile files of a profile without
// password and the service data files are encrypted with it. Main program only.
#pragma once
#include "common/key_block.h"

// The default key, used with ZKeyBlock::kProfileLength bytes. Built on first
// use if ZDefaultKeyLifetime has not built it yet.
const ZKeyBlock& DefaultKey();

// True when `key` holds the default key's bytes (the used length is ignored).
bool IsDefaultKey(const ZKeyBlock& key);

// Builds the default key for the lifetime of the program: created at the top
// of start-up, before any file is read; clears the key when destroyed at exit.
class ZDefaultKeyLifetime {
 public:
  ZDefaultKeyLifetime();
  ~ZDefaultKeyLifetime();
  ZDefaultKeyLifetime(const ZDefaultKeyLifetime&) = delete;
  ZDefaultKeyLifetime& operator=(const ZDefaultKeyLifetime&) = delete;
};
