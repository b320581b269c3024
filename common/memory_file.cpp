#include "common/memory_file.h"

#include <algorithm>
#include <cstring>

ZMemoryFile::ZMemoryFile(std::vector<uint8_t> data) : data_(std::move(data)) {
  // Sizes are 32-bit; a larger buffer is cut rather than misread.
  if (data_.size() > UINT32_MAX) data_.resize(UINT32_MAX);
}

bool ZMemoryFile::read(void* target, size_t count) {
  if (count > remaining()) return false;
  if (count > 0) std::memcpy(target, data_.data() + position_, count);
  position_ += static_cast<uint32_t>(count);
  return true;
}

bool ZMemoryFile::readString(std::string& text) {
  const auto begin = data_.begin() + position_;
  const auto terminator = std::find(begin, data_.end(), uint8_t(0));
  if (terminator == data_.end()) return false;
  text.assign(begin, terminator);
  position_ += static_cast<uint32_t>(terminator - begin) + 1;
  return true;
}
