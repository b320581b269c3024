// An ordered table of signed values by signed key, stored one
// "key<TAB>value<LF>" line per entry in ascending key order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "common/key_block.h"

class ZPairTable {
 public:
  using Entries = std::map<int32_t, int32_t>;

  Entries& entries() { return entries_; }
  const Entries& entries() const { return entries_; }
  // The value of `key`, or `fallback` when the table has none.
  int32_t value(int32_t key, int32_t fallback = 0) const;

  // Replaces the table with the lines of `text`. Per line: blanks skipped,
  // the key, a tab, the value. A line without a tab holds no entry; the
  // first line of a key wins.
  void parse(const char* text, size_t size);
  std::string format() const;

#ifdef _WIN32
  bool read(const char* path);
  bool write(const char* path) const;
  bool readEncrypted(const char* path, const ZKeyBlock& key);
  bool writeEncrypted(const char* path, const ZKeyBlock& key) const;
#endif

 private:
  Entries entries_;
};
