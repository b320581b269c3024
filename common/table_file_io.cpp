#include "common/table_file_io.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/file_cipher.h"
#include "common/file_replacement.h"
#include "common/memory_file.h"
#include "common/secure_wipe.h"
#include "common/win32_file_handle.h"

namespace table_file_io {

namespace {

bool IsEmptyFile(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path, GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeLow == 0 &&
         data.nFileSizeHigh == 0;
}

}  // namespace

bool ReadText(const char* path, std::string& text) {
  std::vector<uint8_t> content;
  if (!ReadWholeFile(path, content)) return false;
  text.assign(content.begin(), content.end());
  SecureWipe(content);
  return true;
}

bool WriteText(const char* path, const std::string& text) { return ReplaceFileContent(path, text); }

bool ReadEncryptedText(const char* path, const ZKeyBlock& key, std::string& text) {
  if (IsEmptyFile(path)) {
    text.clear();
    return true;
  }
  std::string copy;
  bool ok = false;
  try {
    ok = ZFileCipher::DecryptToTemporaryCopy(path, key, copy) && ReadText(copy.c_str(), text);
  } catch (...) {
    // The plain copy goes in every case.
    if (!copy.empty()) WipeFile(copy.c_str(), true);
    throw;
  }
  if (!copy.empty()) WipeFile(copy.c_str(), true);
  return ok;
}

bool WriteEncryptedText(const char* path, const ZKeyBlock& key, const std::string& text) {
  if (text.empty()) return WriteText(path, text);
  return ZFileCipher::WriteEncrypted(path, text.data(), text.size(), key);
}

}  // namespace table_file_io
