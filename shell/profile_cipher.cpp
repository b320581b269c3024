#include "shell/profile_cipher.h"

#include <windows.h>

#include "common/file_cipher.h"
#include "shell/whole_file.h"

namespace {
// The form written for empty content, which can't be encrypted.
bool IsEmptyFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeLow == 0 && data.nFileSizeHigh == 0;
}
}  // namespace

bool ReadEncryptedFile(const std::string& path, const ZKeyBlock& key, std::string& plain) {
  if (IsEmptyFile(path)) {
    plain.clear();
    return true;
  }
  std::string copy;
  const bool decrypted = ZFileCipher::DecryptToTemporaryCopy(path.c_str(), key, copy);
  std::string text;
  const bool read = decrypted && ReadFileText(copy, text);
  // The plain copy never outlives the read, whatever happened.
  if (!copy.empty()) WipeFile(copy.c_str(), true);
  if (!read) return false;
  plain.swap(text);
  return true;
}

bool WriteEncryptedFile(const std::string& path, const ZKeyBlock& key, const std::string& plain) {
  if (!WriteFileText(path, plain)) return false;
  // An empty file has nothing to hide and can't be put in the encrypted form.
  return plain.empty() || ZFileCipher::EncryptInPlace(path.c_str(), key);
}

bool RekeyFile(const std::string& path, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  return ZFileCipher::RekeyInPlace(path.c_str(), oldKey, newKey);
}

bool WipeAndDelete(const std::string& path) { return WipeFile(path.c_str(), true); }

void EncryptTree(const std::string& folder, const ZKeyBlock& key) { ZFileCipher::EncryptTree(folder.c_str(), key); }

void DecryptTree(const std::string& folder, const ZKeyBlock& key) { ZFileCipher::DecryptTree(folder.c_str(), key); }

void RekeyTree(const std::string& folder, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  ZFileCipher::RekeyTree(folder.c_str(), oldKey, newKey);
}
