#include "gesture/symbol_file.h"

#include <windows.h>

#include "common/default_key.h"
#include "common/errors.h"
#include "common/file_exists.h"
#include "common/memory_file.h"
#include "common/storage.h"
#include "common/storage_file_save.h"
#include "gesture/decrypted_copy.h"
#include "gesture/first_format.h"
#include "gesture/missing_file_message.h"
#include "gesture/symbol_storage.h"

namespace {

Symbol LoadPlain(const std::string& path) {
  const ZMemoryFile file(path.c_str());
  Symbol symbol;
  if (HasFirstFormatHeader(file.data(), file.size())) {
    symbol = SymbolFromFirstFormat(ParseFirstFormatFile(file.data(), file.size()));
  } else {
    StoragePtr root = OpenStorageFile(path);
    ReadSymbol(root.Get(), symbol, true);
  }
  symbol.setPath(path);
  return symbol;
}

}  // namespace

void SaveSymbolFile(Symbol& symbol, const std::string& path, const ZKeyBlock& key) {
  symbol.setPath(path);
  SaveStorageFile(path, key, [&](IStorage* root) { WriteSymbol(root, symbol, true); });
}

void SaveSymbolFile(Symbol& symbol, const ZKeyBlock& key) {
  const std::string path = symbol.path();
  SaveSymbolFile(symbol, path, key);
}

Symbol LoadSymbolFile(const std::string& path, const ZKeyBlock& key) {
  if (!FileExists(path.c_str())) {
    ShowMissingFileMessage(path);
    throw ZReadError();
  }
  if (IsDefaultKey(key)) return LoadPlain(path);
  const ZDecryptedCopy copy(path, key);
  Symbol symbol = LoadPlain(copy.path());
  symbol.setPath(path);
  return symbol;
}
