#include "common/file_cipher.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

#include "common/cipher_image.h"
#include "common/file_replacement.h"
#include "common/secure_wipe.h"
#include "common/win32_file_handle.h"

namespace {

// No file of the program comes near this; it keeps sizes within 32 bits.
constexpr LONGLONG kLargestFile = 0x7FFFFFF0;

using Transform = std::function<bool(const std::vector<uint8_t>&, std::vector<uint8_t>&)>;

void Wipe(std::vector<uint8_t>& bytes) { SecureWipe(bytes); }

struct FileTimes {
  FILETIME created, accessed, written;
};

// Reads the whole open file; false on an empty, oversized or short-read file.
bool ReadContent(HANDLE file, std::vector<uint8_t>& content) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart == 0 || size.QuadPart > kLargestFile)
    return false;
  content.resize(static_cast<size_t>(size.QuadPart));
  return ReadExact(file, content.data(), content.size());
}

// Replaces the content of an open file from offset 0 and cuts it there.
bool Rewrite(HANDLE file, const std::vector<uint8_t>& content) {
  LARGE_INTEGER start{};
  return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
         WriteExact(file, content.data(), content.size()) && SetEndOfFile(file);
}

bool TransformInPlace(const char* path, const Transform& transform) {
  ZFileHandle file(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return false;
  FileTimes times;
  if (!GetFileTime(file.get(), &times.created, &times.accessed, &times.written)) return false;

  std::vector<uint8_t> before, after;
  bool ok = false;
  try {
    ok = ReadContent(file.get(), before) && transform(before, after) && Rewrite(file.get(), after);
  } catch (const std::bad_alloc&) {
    // No buffer for a file this large: refused before anything was written.
  }
  // Also after a failure: reading alone may have moved the access time.
  ok = SetFileTime(file.get(), &times.created, &times.accessed, &times.written) && ok;
  Wipe(before);
  Wipe(after);
  return ok;
}

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

class ZFindHandle {
 public:
  explicit ZFindHandle(HANDLE handle) : handle_(handle) {}
  ~ZFindHandle() {
    if (valid()) FindClose(handle_);
  }
  ZFindHandle(const ZFindHandle&) = delete;
  ZFindHandle& operator=(const ZFindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Calls `action` for every file below `directory`. Linked folders (reparse
// points) are not entered: they could lead outside the tree or round in a loop.
bool ForEachFileBelow(const std::string& directory,
                      const std::function<void(const std::string&)>& action) {
  const std::string folder = WithBackslash(directory);
  WIN32_FIND_DATAA entry;
  ZFindHandle search(FindFirstFileA((folder + "*").c_str(), &entry));
  if (!search.valid()) return false;
  do {
    const std::string path = folder + entry.cFileName;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!IsDotEntry(entry.cFileName) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        ForEachFileBelow(path, action);
    } else {
      action(path);
    }
  } while (FindNextFileA(search.get(), &entry));
  return true;
}

const char kCopyPrefix[] = ".z_";

// ".z_" and one to four hexadecimal digits, ".tmp": the names GetTempFileName
// makes from the prefix.
bool IsDecryptedCopyName(const char* name) {
  const size_t length = std::strlen(name);
  const size_t prefix = sizeof kCopyPrefix - 1, suffix = 4;
  if (length <= prefix + suffix || length > prefix + 4 + suffix) return false;
  if (std::strncmp(name, kCopyPrefix, prefix) != 0 || _stricmp(name + length - suffix, ".tmp") != 0) return false;
  for (size_t i = prefix; i < length - suffix; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

bool TemporaryFolder(std::string& folder) {
  char path[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof path, path);
  if (length == 0 || length >= sizeof path) return false;
  folder = path;
  return true;
}

bool MakeTemporaryFile(std::string& temporaryPath) {
  std::string folder;
  if (!TemporaryFolder(folder)) return false;
  char name[MAX_PATH];
  if (GetTempFileNameA(folder.c_str(), kCopyPrefix, 0, name) == 0) return false;
  temporaryPath = name;
  return true;
}

bool ReadSource(const char* path, std::vector<uint8_t>& image) {
  ZFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  return file.valid() && ReadContent(file.get(), image);
}

bool WriteTemporary(const std::string& path, const std::vector<uint8_t>& plain) {
  ZFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  return file.valid() && WriteExact(file.get(), plain.data(), plain.size());
}

}  // namespace

bool ZFileCipher::EncryptInPlace(const char* path, const ZKeyBlock& key) {
  return TransformInPlace(path, [&](const std::vector<uint8_t>& plain, std::vector<uint8_t>& image) {
    return EncryptImage(plain.data(), plain.size(), key, image);
  });
}

bool ZFileCipher::DecryptInPlace(const char* path, const ZKeyBlock& key) {
  return TransformInPlace(path, [&](const std::vector<uint8_t>& image, std::vector<uint8_t>& plain) {
    return DecryptImage(image.data(), image.size(), key, plain);
  });
}

bool ZFileCipher::RekeyInPlace(const char* path, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  return TransformInPlace(path, [&](const std::vector<uint8_t>& image, std::vector<uint8_t>& rekeyed) {
    return RekeyImage(image.data(), image.size(), oldKey, newKey, rekeyed);
  });
}

bool ZFileCipher::DecryptToTemporaryCopy(const char* path, const ZKeyBlock& key,
                                         std::string& temporaryPath) {
  temporaryPath.clear();
  if (!MakeTemporaryFile(temporaryPath)) return false;
  std::vector<uint8_t> image, plain;
  bool ok = false;
  try {
    ok = ReadSource(path, image) && DecryptImage(image.data(), image.size(), key, plain) &&
         WriteTemporary(temporaryPath, plain);
  } catch (const std::bad_alloc&) {
  }
  Wipe(plain);
  return ok;
}

bool ZFileCipher::WriteEncrypted(const char* path, const void* plain, size_t size, const ZKeyBlock& key) {
  std::vector<uint8_t> image;
  try {
    if (!EncryptImage(static_cast<const uint8_t*>(plain), size, key, image)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return ReplaceFileContent(path, image);
}

bool ZFileCipher::DecryptToMemory(const char* path, const ZKeyBlock& key, std::vector<uint8_t>& plain) {
  std::vector<uint8_t> image, decrypted;
  bool ok = false;
  try {
    ok = ReadSource(path, image) && DecryptImage(image.data(), image.size(), key, decrypted);
  } catch (const std::bad_alloc&) {
  }
  if (ok) plain.swap(decrypted);
  Wipe(decrypted);
  return ok;
}

bool ZFileCipher::EncryptTree(const char* directory, const ZKeyBlock& key) {
  return ForEachFileBelow(directory, [&](const std::string& file) { EncryptInPlace(file.c_str(), key); });
}

bool ZFileCipher::DecryptTree(const char* directory, const ZKeyBlock& key) {
  return ForEachFileBelow(directory, [&](const std::string& file) { DecryptInPlace(file.c_str(), key); });
}

bool ZFileCipher::RekeyTree(const char* directory, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  return ForEachFileBelow(directory, [&](const std::string& file) {
    RekeyInPlace(file.c_str(), oldKey, newKey);
  });
}

bool WipeFile(const char* path, bool deleteFile) {
  bool overwritten = false;
  {
    ZFileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size;
    if (file.valid() && GetFileSizeEx(file.get(), &size)) {
      // No allocation: a wipe must work also when memory has run out.
      static const uint8_t zeros[64 * 1024] = {};
      overwritten = true;
      for (LONGLONG left = size.QuadPart; left > 0 && overwritten;) {
        const size_t chunk = static_cast<size_t>(std::min<LONGLONG>(left, sizeof zeros));
        overwritten = WriteExact(file.get(), zeros, chunk);
        left -= static_cast<LONGLONG>(chunk);
      }
      overwritten = overwritten && FlushFileBuffers(file.get());
    }
  }
  if (deleteFile) return DeleteFileA(path) != 0;
  return overwritten;
}

void RemoveStaleDecryptedCopies(const FILETIME& startedAt) {
  std::string folder;
  if (!TemporaryFolder(folder)) return;
  WIN32_FIND_DATAA entry;
  ZFindHandle search(FindFirstFileA((folder + kCopyPrefix + "*").c_str(), &entry));
  if (!search.valid()) return;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!IsDecryptedCopyName(entry.cFileName)) continue;
    if (CompareFileTime(&entry.ftLastWriteTime, &startedAt) >= 0) continue;
    WipeFile((folder + entry.cFileName).c_str(), true);
  } while (FindNextFileA(search.get(), &entry));
}
