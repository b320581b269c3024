// Reading and writing single registry values of an open key. The readers
// never fail: they fall back to the default or to an empty string.
#pragma once
#include <windows.h>

#include <string>

// A REG_DWORD value; the default for any other type, a missing value or an error.
DWORD RegistryReadNumber(HKEY key, const char* valueName, DWORD defaultValue);
// A REG_SZ value as stored, a REG_EXPAND_SZ value with its environment
// variables expanded; empty for other types, values over 1024 bytes, a
// missing value or an error. A null or empty name reads the default value.
std::string RegistryReadText(HKEY key, const char* valueName);
// Formats at most 1023 characters and stores them as REG_SZ.
bool RegistryWriteText(HKEY key, const char* valueName, const char* format, ...)
    __attribute__((format(__MINGW_PRINTF_FORMAT, 3, 4)));
