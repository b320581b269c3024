#include "common/storage_file_save.h"

#include <cstdint>
#include <vector>

#include "common/default_key.h"
#include "common/errors.h"
#include "common/file_cipher.h"
#include "common/file_replacement.h"
#include "common/secure_wipe.h"
#include "common/storage.h"

void SaveStorageFile(const std::string& path, const ZKeyBlock& key,
                     const std::function<void(IStorage* root)>& write) {
  std::vector<uint8_t> image = BuildStorageImage(write);
  bool saved;
  if (IsDefaultKey(key)) {
    saved = ReplaceFileContent(path, image);
  } else {
    saved = ZFileCipher::WriteEncrypted(path.c_str(), image.data(), image.size(), key);
    SecureWipe(image);
  }
  if (!saved) throw ZWriteError();
}
