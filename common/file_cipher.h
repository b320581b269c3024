// Encryption of whole files in the encrypted file form (see cipher_image.h).
// In-place operations keep the three file times. They are not atomic: a
// failure before the first write leaves the file untouched, one after it may
// leave the file damaged.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/key_block.h"

class ZFileCipher {
 public:
  // Fails on an empty file, which stays empty.
  static bool EncryptInPlace(const char* path, const ZKeyBlock& key);
  // Fails, leaving the file as it is, when it is no well-formed encrypted file.
  static bool DecryptInPlace(const char* path, const ZKeyBlock& key);
  static bool RekeyInPlace(const char* path, const ZKeyBlock& oldKey, const ZKeyBlock& newKey);

  // Decrypts into a new file in the temporary folder (name prefix ".z_").
  // `temporaryPath` is set as soon as that file exists, also when the
  // operation then fails; the caller wipes it with WipeFile(path, true) in
  // every case. It stays empty only when no temporary file could be made.
  static bool DecryptToTemporaryCopy(const char* path, const ZKeyBlock& key,
                                     std::string& temporaryPath);
  // Decrypts into memory only; `plain` is untouched on failure. The caller
  // wipes it when done.
  static bool DecryptToMemory(const char* path, const ZKeyBlock& key, std::vector<uint8_t>& plain);

  // Apply the operation to every file below `directory`, recursively. A file
  // that fails is left alone and the walk goes on; false only when the
  // directory itself cannot be listed.
  static bool EncryptTree(const char* directory, const ZKeyBlock& key);
  static bool DecryptTree(const char* directory, const ZKeyBlock& key);
  static bool RekeyTree(const char* directory, const ZKeyBlock& oldKey, const ZKeyBlock& newKey);
};

// Overwrites the whole file with zeros. With `deleteFile` the file is then
// deleted (also when it could not be overwritten) and the result says whether
// the deletion succeeded; otherwise whether every byte was overwritten.
bool WipeFile(const char* path, bool deleteFile);
