// Symbol files (.zts) on disk: structured storage with a "File Version", or
// the first format (an icon file with the symbol appended), read only. With
// any key but the default one the whole file is kept encrypted; reading then
// goes through a decrypted temporary copy that is wiped afterwards.
#pragma once
#include <string>

#include "common/key_block.h"
#include "gesture/symbol.h"

// Writes `symbol` to `path` (replacing the file in one step, so that a failed
// save leaves the previous file as it was) and remembers the path in it.
// Throws ZWriteError (without a code when encrypting or replacing fails).
void SaveSymbolFile(Symbol& symbol, const std::string& path, const ZKeyBlock& key);
// Writes to the path the symbol was last loaded from or saved to.
void SaveSymbolFile(Symbol& symbol, const ZKeyBlock& key);

// Reads a symbol; its path is `path`. A missing file is shown to the user
// ("Error: this file does not exist.") before ZReadError is thrown; every
// other failure throws ZReadError silently.
Symbol LoadSymbolFile(const std::string& path, const ZKeyBlock& key);
