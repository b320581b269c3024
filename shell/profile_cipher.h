// The encrypted files of a profile, as the shell uses them: the settings,
// counter and credential files, always encrypted (with the default key when
// the profile has no password).
#pragma once
#include <string>

#include "common/key_block.h"

// Decrypts the file and hands back its plain content. A temporary plain copy,
// if one is made, is wiped before returning, also when reading throws. False
// for a missing, empty or malformed file.
bool ReadEncryptedFile(const std::string& path, const ZKeyBlock& key, std::string& plain);
// Encrypts `plain` in memory and puts the result in the file's place in one
// step: a failure at any point leaves the previous file as it was. Empty
// content can't be encrypted and is written as an empty file, which reads
// back as empty.
bool WriteEncryptedFile(const std::string& path, const ZKeyBlock& key, const std::string& plain);
// Overwrites and deletes.
bool WipeAndDelete(const std::string& path);
