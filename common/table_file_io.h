// Whole-file reading and writing of the text tables, plain and encrypted.
#pragma once
#include <string>

#include "common/key_block.h"

namespace table_file_io {

bool ReadText(const char* path, std::string& text);
// Creates the file anew (no sharing) and writes `text` in one call.
bool WriteText(const char* path, const std::string& text);

// Decrypts to a temporary copy, reads it and wipes it. An empty file reads as
// empty text: it is what an empty table is written as.
bool ReadEncryptedText(const char* path, const ZKeyBlock& key, std::string& text);
// Writes the plain text, then encrypts the file in place. Empty text stays an
// empty file, since there is no content to hide and an empty file cannot be
// encrypted.
bool WriteEncryptedText(const char* path, const ZKeyBlock& key, const std::string& text);

}  // namespace table_file_io
