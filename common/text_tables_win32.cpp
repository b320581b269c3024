// File operations of the three text table classes.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>

#include "common/id_text_table.h"
#include "common/number_list.h"
#include "common/pair_table.h"
#include "common/table_file_io.h"

using namespace table_file_io;

namespace {

// Reads the file (plain or encrypted) and parses it into `table`, which is
// cleared first so that a failed read leaves it empty.
template <typename Table>
bool ReadInto(Table& table, const char* path, const ZKeyBlock* key) {
  table.parse("", 0);
  std::string text;
  bool ok = false;
  try {
    ok = key ? ReadEncryptedText(path, *key, text) : ReadText(path, text);
    if (ok) table.parse(text.data(), text.size());
  } catch (const std::bad_alloc&) {
    table.parse("", 0);
    ok = false;
  }
  std::fill(text.begin(), text.end(), '\0');
  return ok;
}

}  // namespace

bool ZIdTextTable::read(const char* path) { return ReadInto(*this, path, nullptr); }
bool ZIdTextTable::write(const char* path) const { return WriteText(path, format()); }
bool ZIdTextTable::readEncrypted(const char* path, const ZKeyBlock& key) {
  return ReadInto(*this, path, &key);
}
bool ZIdTextTable::writeEncrypted(const char* path, const ZKeyBlock& key) const {
  return WriteEncryptedText(path, key, format());
}

bool ZPairTable::read(const char* path) { return ReadInto(*this, path, nullptr); }
bool ZPairTable::write(const char* path) const { return WriteText(path, format()); }
bool ZPairTable::readEncrypted(const char* path, const ZKeyBlock& key) {
  return ReadInto(*this, path, &key);
}
bool ZPairTable::writeEncrypted(const char* path, const ZKeyBlock& key) const {
  return WriteEncryptedText(path, key, format());
}

bool ZNumberList::read(const char* pathFormat, ...) {
  values_.clear();
  char path[261];
  va_list arguments;
  va_start(arguments, pathFormat);
  const int length = std::vsnprintf(path, sizeof path, pathFormat, arguments);
  va_end(arguments);
  // A cut path would name some other file.
  if (length < 0 || length >= static_cast<int>(sizeof path)) return false;
  return ReadInto(*this, path, nullptr);
}
