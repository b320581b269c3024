// Whole-file reading and writing of the text tables, plain and encrypted.
#pragma once
#include <string>

#include "common/key_block.h"

namespace table_file_io {

bool ReadText(const char* path, std::string& text);
// Writes `text` whole and puts it in the file's place in one step; a failure
// leaves the previous file as it was.
bool WriteText(const char* path, const std::string& text);

// Decrypts to a temporary copy, reads it and wipes it. An empty file reads as
// empty text: it is what an empty table is written as.
bool ReadEncryptedText(const char* path, const ZKeyBlock& key, std::string& text);
// Encrypts the text in memory and replaces the file with the result, so that
// the plain text never reaches the disk. Empty text is written as an empty
// file, since there is no content to hide and an empty file cannot be
// encrypted.
bool WriteEncryptedText(const char* path, const ZKeyBlock& key, const std::string& text);

}  // namespace table_file_io
