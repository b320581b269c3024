// Strings kept scrambled in the older plug-in files.
#pragma once
#include <string>

// Adds 136 to every byte at an even index and 30 to every byte at an odd
// index (counting from 0), modulo 256.
std::string UnscrambleText(const std::string& stored);
