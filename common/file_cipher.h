// Encryption of whole files in the encrypted file form (see cipher_image.h).
// In-place operations keep the three file times. They are not atomic: a
// failure before the first write leaves the file untouched, one after it may
// leave the file damaged.
#pragma once
#include <windows.h>

#include <cstddef>
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

  // Saves `size` plain bytes as an encrypted file: encrypted in memory, then
  // put in the place of the file in one step (common/file_replacement.h), so
  // the plain content never reaches the disk and a failure leaves the
  // previous file as it was. Fails on empty content, which has no encrypted
  // form.
  static bool WriteEncrypted(const char* path, const void* plain, size_t size, const ZKeyBlock& key);

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

// Wipes and deletes the decrypted copies (".z_*.tmp" in the temporary folder)
// that an earlier run left behind when it ended before wiping them: only
// names of the form the cipher makes, and only copies last written before
// `startedAt`, so that no copy being read now is taken.
void RemoveStaleDecryptedCopies(const FILETIME& startedAt);
