#include "gesture/decrypted_copy.h"

#include "common/errors.h"
#include "common/file_cipher.h"

ZDecryptedCopy::ZDecryptedCopy(const std::string& encryptedPath, const ZKeyBlock& key) {
  if (!ZFileCipher::DecryptToTemporaryCopy(encryptedPath.c_str(), key, path_)) {
    if (!path_.empty()) WipeFile(path_.c_str(), true);
    throw ZReadError();
  }
}

ZDecryptedCopy::~ZDecryptedCopy() { WipeFile(path_.c_str(), true); }
