// The plain copy through which an encrypted symbol or plug-in file is read:
// decrypted into the temporary folder, wiped and deleted when the scope ends,
// whichever way it ends.
#pragma once
#include <string>

#include "common/key_block.h"

class ZDecryptedCopy {
 public:
  // Throws ZReadError when the file cannot be decrypted with `key`; a copy
  // begun before the failure is wiped first.
  ZDecryptedCopy(const std::string& encryptedPath, const ZKeyBlock& key);
  ~ZDecryptedCopy();
  ZDecryptedCopy(const ZDecryptedCopy&) = delete;
  ZDecryptedCopy& operator=(const ZDecryptedCopy&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
