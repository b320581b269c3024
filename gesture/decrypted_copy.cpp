#include "gesture/decrypted_copy.h"

#include <cstring>

#include <wrl/client.h>

#include "common/errors.h"
#include "common/file_cipher.h"

ZDecryptedCopy::ZDecryptedCopy(const std::string& encryptedPath, const ZKeyBlock& key) {
  if (!ZFileCipher::DecryptToTemporaryCopy(encryptedPath.c_str(), key, path_)) {
    if (!path_.empty()) WipeFile(path_.c_str(), true);
    throw ZReadError();
  }
}

ZDecryptedCopy::~ZDecryptedCopy() { WipeFile(path_.c_str(), true); }

ZDecryptedImage::ZDecryptedImage(const std::string& encryptedPath, const ZKeyBlock& key) {
  if (!ZFileCipher::DecryptToMemory(encryptedPath.c_str(), key, plain_)) throw ZReadError();
}

ZDecryptedImage::~ZDecryptedImage() {
  SecureZeroMemory(plain_.data(), plain_.size());
  if (!memory_) return;
  if (void* bytes = GlobalLock(memory_)) {
    SecureZeroMemory(bytes, GlobalSize(memory_));
    GlobalUnlock(memory_);
  }
  GlobalFree(memory_);
}

StoragePtr ZDecryptedImage::openStorage() {
  if (memory_ || plain_.empty()) throw ZReadError();
  memory_ = GlobalAlloc(GMEM_MOVEABLE, plain_.size());
  void* bytes = memory_ ? GlobalLock(memory_) : nullptr;
  if (!bytes) throw ZReadError(E_OUTOFMEMORY);
  std::memcpy(bytes, plain_.data(), plain_.size());
  GlobalUnlock(memory_);
  // The block stays ours (not freed with the lock bytes), to be wiped.
  Microsoft::WRL::ComPtr<ILockBytes> lockBytes;
  HRESULT hr = CreateILockBytesOnHGlobal(memory_, FALSE, &lockBytes);
  if (FAILED(hr)) throw ZReadError(hr);
  StoragePtr root;
  hr = StgOpenStorageOnILockBytes(lockBytes.Get(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root);
  if (FAILED(hr)) throw ZReadError(hr);
  return root;
}
