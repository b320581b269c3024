// Small text files of the profile ("name", "current") read and written whole.
#pragma once
#include <string>

// False when the file can't be opened or read completely; `text` is then
// left untouched.
bool ReadFileText(const std::string& path, std::string& text);
// Creates the file anew (CREATE_ALWAYS) and writes every byte, or reports false.
bool WriteFileText(const std::string& path, const std::string& text);
