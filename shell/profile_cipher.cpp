#include "shell/profile_cipher.h"

#include <windows.h>

#include <functional>
#include <vector>

#include "common/cipher_image.h"
#include "shell/folders.h"
#include "shell/scoped_handle.h"
#include "shell/whole_file.h"

namespace {
std::string AsString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool Transform(const std::string& path, const std::function<bool(const std::string&, std::vector<uint8_t>&)>& step) {
  std::string content;
  std::vector<uint8_t> result;
  if (!ReadWholeFile(path, content) || !step(content, result)) return false;
  return WriteWholeFile(path, AsString(result));
}

void WalkFiles(const std::string& folder, const std::function<void(const std::string&)>& apply) {
  const std::string base = WithBackslash(folder);
  WIN32_FIND_DATAA entry;
  ZFindHandle find(FindFirstFileA((base + "*").c_str(), &entry));
  if (!find) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) WalkFiles(base + name, apply);
    else apply(base + name);
  } while (FindNextFileA(find.get(), &entry));
}
}  // namespace

bool ReadEncryptedFile(const std::string& path, const ZKeyBlock& key, std::string& plain) {
  std::string image;
  std::vector<uint8_t> result;
  if (!ReadWholeFile(path, image)) return false;
  if (image.empty()) {
    plain.clear();
    return true;
  }
  if (!DecryptImage(Bytes(image), image.size(), key, result)) return false;
  plain = AsString(result);
  return true;
}

bool WriteEncryptedFile(const std::string& path, const ZKeyBlock& key, const std::string& plain) {
  if (plain.empty()) return WriteWholeFile(path, plain);
  std::vector<uint8_t> image;
  return EncryptImage(Bytes(plain), plain.size(), key, image) && WriteWholeFile(path, AsString(image));
}

bool RekeyFile(const std::string& path, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  return Transform(path, [&](const std::string& image, std::vector<uint8_t>& out) {
    return RekeyImage(Bytes(image), image.size(), oldKey, newKey, out);
  });
}

bool WipeAndDelete(const std::string& path) {
  std::string content;
  if (ReadWholeFile(path, content)) WriteWholeFile(path, std::string(content.size(), '\0'));
  return DeleteFileA(path.c_str()) != 0;
}

void EncryptTree(const std::string& folder, const ZKeyBlock& key) {
  WalkFiles(folder, [&](const std::string& path) {
    Transform(path, [&](const std::string& plain, std::vector<uint8_t>& out) {
      return EncryptImage(Bytes(plain), plain.size(), key, out);
    });
  });
}

void DecryptTree(const std::string& folder, const ZKeyBlock& key) {
  WalkFiles(folder, [&](const std::string& path) {
    Transform(path, [&](const std::string& image, std::vector<uint8_t>& out) {
      return DecryptImage(Bytes(image), image.size(), key, out);
    });
  });
}

void RekeyTree(const std::string& folder, const ZKeyBlock& oldKey, const ZKeyBlock& newKey) {
  WalkFiles(folder, [&](const std::string& path) { RekeyFile(path, oldKey, newKey); });
}
