#include "common/registry.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {

constexpr DWORD kTextBufferSize = 1024;

std::string Expanded(const std::string& text) {
  char expanded[kTextBufferSize];
  DWORD needed = ExpandEnvironmentStringsA(text.c_str(), expanded, kTextBufferSize);
  if (needed == 0 || needed > kTextBufferSize) return std::string();
  return expanded;
}

}  // namespace

DWORD RegistryReadNumber(HKEY key, const char* valueName, DWORD defaultValue) {
  DWORD type = 0, value = 0, size = sizeof value;
  LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return defaultValue;
  return value;
}

std::string RegistryReadText(HKEY key, const char* valueName) {
  char buffer[kTextBufferSize + 1] = {};  // one spare byte: stored text may lack its NUL
  DWORD type = 0, size = kTextBufferSize;
  LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (status != ERROR_SUCCESS) return std::string();
  buffer[size < kTextBufferSize ? size : kTextBufferSize] = '\0';
  if (type == REG_SZ) return buffer;
  if (type == REG_EXPAND_SZ) return Expanded(buffer);
  return std::string();
}

bool RegistryWriteText(HKEY key, const char* valueName, const char* format, ...) {
  char text[kTextBufferSize];
  va_list arguments;
  va_start(arguments, format);
  int length = vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (length < 0) return false;
  DWORD size = static_cast<DWORD>(strlen(text) + 1);  // the NUL belongs to a REG_SZ value
  return RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}
