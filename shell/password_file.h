// The password check file "pf" of a protected profile: the key's bit count
// (32 bits) and a fixed block encrypted with the key. It lets a typed
// password be checked without decrypting any of the profile's files.
#pragma once
#include <string>

#include "common/key_block.h"

// The whole content of "pf" for `key`; false for a key without used bytes.
bool PasswordFileContent(const ZKeyBlock& key, std::string& content);
bool WritePasswordFile(const std::string& path, const ZKeyBlock& key);
// True when `candidate` opens the file; `accepted` is then the candidate
// with the used length the file records.
bool CheckPasswordFile(const std::string& path, const ZKeyBlock& candidate, ZKeyBlock& accepted);
