// A password change as one change of the profile's files: every file gets the
// new key, or none does.
//
// First the new form of every file (the plug-in and symbol trees, the always
// encrypted "ids", "settings", "stpl", "stsv", "stsl", and "pf") is built in
// memory and written beside the file it replaces; nothing has changed yet, and
// a file that can't be read or written stops the change there. Then the files
// are replaced one by one, "pf" last; when one can't be replaced (another
// program holds it), those already replaced get their old content back.
#pragma once
#include <string>
#include <vector>

#include "common/key_block.h"

struct ZProfileFiles {
  std::string folder;               // the profile's folder, ending in "\"
  std::vector<std::string> trees;   // its plug-ins and symbols folders
};

// From `oldKey` to `newKey`; either may be the default key (no password), in
// which case the trees are encrypted or decrypted and "pf" is written or
// removed. False when the change could not be made: every file then reads
// with `oldKey` exactly as before.
bool RekeyProfileFiles(const ZProfileFiles& files, const ZKeyBlock& oldKey, const ZKeyBlock& newKey);
