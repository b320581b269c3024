// Small text files of the profile ("name", "current") read and written whole.
#pragma once
#include <string>

// False when the file can't be opened or read completely; `text` is then
// left untouched.
bool ReadFileText(const std::string& path, std::string& text);
// Writes every byte to a new file that then takes the place of the old one;
// false leaves the previous file as it was.
bool WriteFileText(const std::string& path, const std::string& text);
