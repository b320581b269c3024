// The zip extraction on arbitrary archive bytes, into memory: no crash, no
// read past the data, every file it makes lies below the destination, every
// file begun is ended, and what it writes stays within what deflate can make
// of the bytes that were there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "common/zip_extraction.h"

namespace {

bool InsideDestination(const std::string& path) {
  if (path.empty() || path[0] == '/' || path.find('\\') != std::string::npos || path.find(':') != std::string::npos)
    return false;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('/', start), path.size());
    if (path.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

class CheckingFolder : public ZZipOutput {
 public:
  explicit CheckingFolder(size_t budget) : budget_(budget) {}
  bool makeFolder(const std::string& path) override {
    if (!InsideDestination(path)) std::abort();
    if (files_.count(path)) return false;  // a file of that name is in the way, as on a disk
    folders_.insert(path);
    return true;
  }
  bool createFile(const std::string& path) override {
    if (!InsideDestination(path) || open_) std::abort();
    if (folders_.count(path)) return false;
    files_.insert(path);
    open_ = true;
    return true;
  }
  bool write(const void*, size_t size) override {
    if (!open_) std::abort();
    written_ += size;
    if (written_ > budget_) std::abort();
    return true;
  }
  void finishFile(bool, uint16_t, uint16_t) override {
    if (!open_) std::abort();
    open_ = false;
  }
  bool open() const { return open_; }

 private:
  std::set<std::string> folders_, files_;
  size_t budget_;
  size_t written_ = 0;
  bool open_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZZipMemoryInput input(data, size);
  // Deflate expands at most about 1032 times; stored data is copied as it is.
  CheckingFolder folder(1100 * size + 4096);
  ExtractZipEntries(input, folder, nullptr);
  if (folder.open()) std::abort();
  return 0;
}
