// A compound file in the temporary folder for one test: written through a
// root storage, released, and opened again for reading, as plug-in files are.
#pragma once
#include <windows.h>

#include <string>

#include "common/storage.h"

class TestStorageFile {
 public:
  TestStorageFile() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH];
    GetTempFileNameA(folder, "zac", 0, path);
    path_ = path;
  }
  ~TestStorageFile() { DeleteFileA(path_.c_str()); }
  TestStorageFile(const TestStorageFile&) = delete;
  TestStorageFile& operator=(const TestStorageFile&) = delete;

  StoragePtr create() const { return CreateStorageFile(path_); }
  StoragePtr open() const { return OpenStorageFile(path_); }

 private:
  std::string path_;
};

// Whether `storage` holds an element (stream or storage) called `name`.
inline bool HasStream(IStorage* storage, const wchar_t* name) {
  Microsoft::WRL::ComPtr<IStream> stream;
  return SUCCEEDED(storage->OpenStream(name, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                       stream.GetAddressOf()));
}
