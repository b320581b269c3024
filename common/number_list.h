// A list of signed numbers read from a text file of decimal numbers separated
// by white space.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class ZNumberList {
 public:
  std::vector<int32_t>& values() { return values_; }
  const std::vector<int32_t>& values() const { return values_; }

  // Replaces the list with the numbers of `text`: each one after optional
  // white space, with an optional sign. Stops at the end or at the first
  // place where no number can be read. Numbers beyond 32 bits are clamped.
  void parse(const char* text, size_t size);

#ifdef _WIN32
  // Formats the path (at most 260 characters, else false) and reads the
  // whole file; false when it cannot be read, the list then being empty.
  bool read(const char* pathFormat, ...);
#endif

 private:
  std::vector<int32_t> values_;
};
