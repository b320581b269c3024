// An ordered table of texts by unsigned id, stored one "id<TAB>text<LF>" line
// per entry in ascending id order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "common/key_block.h"

class ZIdTextTable {
 public:
  using Entries = std::map<uint32_t, std::string>;

  Entries& entries() { return entries_; }
  const Entries& entries() const { return entries_; }
  // The text of `id`, or null when the table has none.
  const std::string* find(uint32_t id) const;

  // Replaces the table with the lines of `text`. Per line: blanks skipped, the
  // id, a tab, then the text up to the next tab or line end. A line without
  // a tab holds no entry; an id seen before keeps its first text.
  void parse(const char* text, size_t size);
  // The file form. A text is written up to its first tab, CR, LF or NUL:
  // those would end it on reading, and a line break would forge entries.
  std::string format() const;

#ifdef _WIN32
  // Clears the table, then reads the file; false when it cannot be read.
  bool read(const char* path);
  // Creates the file anew and writes the whole table in one call.
  bool write(const char* path) const;
  bool readEncrypted(const char* path, const ZKeyBlock& key);
  bool writeEncrypted(const char* path, const ZKeyBlock& key) const;
#endif

 private:
  Entries entries_;
};
