// The plain copy through which an encrypted symbol or plug-in file is read:
// decrypted into the temporary folder, wiped and deleted when the scope ends,
// whichever way it ends.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/key_block.h"
#include "common/storage.h"

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

// The plain image of an encrypted file held in memory only, wiped when the
// scope ends, and opened from there as a compound file: no plain copy
// reaches the disk, and no file is written, flushed and wiped on the way.
class ZDecryptedImage {
 public:
  // Throws ZReadError when the file cannot be read or decrypted with `key`.
  ZDecryptedImage(const std::string& encryptedPath, const ZKeyBlock& key);
  ~ZDecryptedImage();
  ZDecryptedImage(const ZDecryptedImage&) = delete;
  ZDecryptedImage& operator=(const ZDecryptedImage&) = delete;

  const uint8_t* data() const { return plain_.data(); }
  size_t size() const { return plain_.size(); }

  // The image as a read-only compound file, once per image. It reads from
  // memory that goes with this object: release it (and everything opened
  // in it) first. Throws ZReadError.
  StoragePtr openStorage();

 private:
  std::vector<uint8_t> plain_;
  HGLOBAL memory_ = nullptr;  // the compound file's copy of the image
};
