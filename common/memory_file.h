// A whole file held in memory with a read position. Reads that would run past
// the end are refused: they copy nothing and leave the position where it was.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ZMemoryFile {
 public:
  explicit ZMemoryFile(std::vector<uint8_t> data);
#ifdef _WIN32
  // Reads the whole file in one call; throws ZReadError when it cannot be
  // opened or read (code 0 for a missing file, else the HRESULT).
  explicit ZMemoryFile(const char* path);
#endif

  const uint8_t* data() const { return data_.data(); }
  uint32_t size() const { return static_cast<uint32_t>(data_.size()); }
  uint32_t position() const { return position_; }
  uint32_t remaining() const { return size() - position_; }

  // Copies `count` bytes to `target` and advances.
  [[nodiscard]] bool read(void* target, size_t count);
  // Copies the text up to the next NUL and advances past the NUL.
  [[nodiscard]] bool readString(std::string& text);

 private:
  std::vector<uint8_t> data_;
  uint32_t position_ = 0;
};

#ifdef _WIN32
// Reads a whole file of at most 2 GB in one call; false when it cannot be
// opened or fully read. `content` is untouched on failure.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& content);
#endif
