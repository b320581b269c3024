// Damaged and hostile compound files for the readers' tests: a file written
// the ordinary way, whose directory then claims another size for a stream.
// The compound file keeps its directory in 128-byte entries (the UTF-16 name
// in the first 64 bytes, its byte length with the terminator at 64, the
// object type at 66, the stream size at 120); entries lie on 128-byte
// boundaries of the file. Windows tests only.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

// Sets the size that every stream called `name` claims to `size` (the low 32
// bits of the field, the part the format uses). Returns how many entries
// were changed; 0 when no stream has that name.
inline int ClaimStreamSize(const std::string& path, const wchar_t* name, uint32_t size) {
  constexpr size_t kEntry = 128, kNameLength = 64, kType = 66, kSize = 120;
  constexpr uint8_t kStreamType = 2;
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  std::vector<uint8_t> key;
  for (const wchar_t* c = name; *c; ++c) {
    key.push_back(static_cast<uint8_t>(*c & 0xFF));
    key.push_back(static_cast<uint8_t>(*c >> 8));
  }
  key.insert(key.end(), {0, 0});
  int changed = 0;
  for (size_t entry = 0; entry + kEntry <= bytes.size(); entry += kEntry) {
    uint8_t* at = bytes.data() + entry;
    if (std::memcmp(at, key.data(), key.size()) != 0 || at[kNameLength] != key.size() || at[kType] != kStreamType)
      continue;
    for (int i = 0; i < 4; ++i) at[kSize + i] = static_cast<uint8_t>(size >> (8 * i));
    ++changed;
  }
  if (changed) WriteWholeFile(path, bytes);
  return changed;
}
