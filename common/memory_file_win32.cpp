#include <windows.h>

#include <new>

#include "common/errors.h"
#include "common/memory_file.h"
#include "common/win32_file_handle.h"

namespace {

// Larger files are no file of this program; refusing them keeps every size
// within 32 bits and every buffer allocatable.
constexpr LONGLONG kLargestFile = 0x7FFFFFFF;

// Reads the whole file; returns 0 or the Win32 error of the failing step.
DWORD ReadAll(const char* path, std::vector<uint8_t>& content) {
  ZFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return GetLastError();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
  if (size.QuadPart > kLargestFile) return ERROR_FILE_TOO_LARGE;
  std::vector<uint8_t> buffer;
  try {
    buffer.resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (!ReadExact(file.get(), buffer.data(), buffer.size())) return ERROR_READ_FAULT;
  content.swap(buffer);
  return 0;
}

std::vector<uint8_t> ReadOrThrow(const char* path) {
  std::vector<uint8_t> content;
  const DWORD error = ReadAll(path, content);
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) throw ZReadError(0);
  if (error != 0) throw ZReadError(HRESULT_FROM_WIN32(error));
  return content;
}

}  // namespace

ZMemoryFile::ZMemoryFile(const char* path) : ZMemoryFile(ReadOrThrow(path)) {}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& content) {
  return ReadAll(path, content) == 0;
}
