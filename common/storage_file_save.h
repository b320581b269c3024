// Saving a compound file of the profile (a symbol, a plug-in) in one step:
// the storage is built in memory, encrypted in memory under any key but the
// default one (a password-protected profile), and then takes the place of
// the file on disk (common/file_replacement.h). A failure at any point leaves
// the previous file byte for byte as it was.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <functional>
#include <string>

#include "common/key_block.h"

// Throws ZWriteError: with the failing storage call's code while building,
// without one when encrypting or replacing the file fails.
void SaveStorageFile(const std::string& path, const ZKeyBlock& key,
                     const std::function<void(IStorage* root)>& write);
