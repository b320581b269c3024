#include "common/win32_file_handle.h"

bool ReadExact(HANDLE file, void* buffer, size_t size) {
  if (size > MAXDWORD) return false;
  DWORD done = 0;
  return ReadFile(file, buffer, static_cast<DWORD>(size), &done, nullptr) && done == size;
}

bool WriteExact(HANDLE file, const void* buffer, size_t size) {
  if (size > MAXDWORD) return false;
  DWORD done = 0;
  return WriteFile(file, buffer, static_cast<DWORD>(size), &done, nullptr) && done == size;
}
