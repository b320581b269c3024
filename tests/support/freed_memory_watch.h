// Whether memory given back to the heap still held a secret: the test
// program's operator delete looks at every block freed while a watch is on
// (tests/support/freed_memory_watch.cpp, linked into the test program).
#pragma once
#include <string>

class ZFreedMemoryWatch {
 public:
  // Watches for `secret` (at least 8 bytes, so that chance does not match).
  explicit ZFreedMemoryWatch(const std::string& secret);
  ~ZFreedMemoryWatch();
  ZFreedMemoryWatch(const ZFreedMemoryWatch&) = delete;
  ZFreedMemoryWatch& operator=(const ZFreedMemoryWatch&) = delete;

  // How many freed blocks held the secret, so far.
  int leaks() const;
};
