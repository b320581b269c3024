#include "shell/profile_cipher.h"

#include <windows.h>

#include <vector>

#include "common/file_cipher.h"
#include "common/file_replacement.h"
#include "common/memory_file.h"
#include "common/secure_wipe.h"

namespace {
// The form written for empty content, which can't be encrypted.
bool IsEmptyFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeLow == 0 && data.nFileSizeHigh == 0;
}

bool ReadPlainCopy(const std::string& copy, std::string& text) {
  std::vector<uint8_t> content;
  if (!ReadWholeFile(copy.c_str(), content)) return false;
  try {
    text.assign(content.begin(), content.end());
  } catch (...) {
    SecureWipe(content);
    throw;
  }
  SecureWipe(content);
  return true;
}
}  // namespace

bool ReadEncryptedFile(const std::string& path, const ZKeyBlock& key, std::string& plain) {
  if (IsEmptyFile(path)) {
    plain.clear();
    return true;
  }
  std::string copy;
  std::string text;
  bool read = false;
  try {
    read = ZFileCipher::DecryptToTemporaryCopy(path.c_str(), key, copy) && ReadPlainCopy(copy, text);
  } catch (...) {
    // The plain copy never outlives the read, whatever happened.
    if (!copy.empty()) WipeFile(copy.c_str(), true);
    SecureWipe(text);
    throw;
  }
  if (!copy.empty()) WipeFile(copy.c_str(), true);
  if (!read) return false;
  SecureWipe(plain);
  plain.swap(text);
  return true;
}

bool WriteEncryptedFile(const std::string& path, const ZKeyBlock& key, const std::string& plain) {
  // An empty file has nothing to hide and can't be put in the encrypted form.
  if (plain.empty()) return ReplaceFileContent(path, plain);
  return ZFileCipher::WriteEncrypted(path.c_str(), plain.data(), plain.size(), key);
}

bool WipeAndDelete(const std::string& path) { return WipeFile(path.c_str(), true); }
