// The encrypted files of a profile, as the shell uses them: the settings,
// counter and credential files (always encrypted) and the trees of plug-in
// and symbol files (encrypted only under a password).
#pragma once
#include <string>

#include "common/key_block.h"

// Decrypts the file and hands back its plain content. A temporary plain copy,
// if one is made, is wiped before returning. False for a missing, empty or
// malformed file.
bool ReadEncryptedFile(const std::string& path, const ZKeyBlock& key, std::string& plain);
// Writes `plain` whole (CREATE_ALWAYS, every byte checked) and encrypts it in
// place. Empty content can't be encrypted and is written as an empty file,
// which reads back as empty.
bool WriteEncryptedFile(const std::string& path, const ZKeyBlock& key, const std::string& plain);
bool RekeyFile(const std::string& path, const ZKeyBlock& oldKey, const ZKeyBlock& newKey);
// Overwrites and deletes.
bool WipeAndDelete(const std::string& path);

// Every file below `folder`, recursively; a file that fails is left as it is.
void EncryptTree(const std::string& folder, const ZKeyBlock& key);
void DecryptTree(const std::string& folder, const ZKeyBlock& key);
void RekeyTree(const std::string& folder, const ZKeyBlock& oldKey, const ZKeyBlock& newKey);
