// Files of the profile read and written whole, in one call each.
#pragma once
#include <string>

// False when the file can't be opened or read completely; `content` is then
// left untouched.
bool ReadWholeFile(const std::string& path, std::string& content);
// Creates the file anew (CREATE_ALWAYS) and writes every byte, or reports false.
bool WriteWholeFile(const std::string& path, const std::string& content);
bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
