// Exceptions of the storage and file layer. Nothing else in the program throws:
// other code reports failure by its result. Each carries one 32-bit code, the
// result of the failing system or storage call, or 0 when there is none.
#pragma once
#include <cstdint>

class ZReadError {
 public:
  explicit ZReadError(int32_t code = 0) : code_(code) {}
  int32_t code() const { return code_; }

 private:
  int32_t code_;
};

class ZWriteError {
 public:
  explicit ZWriteError(int32_t code = 0) : code_(code) {}
  int32_t code() const { return code_; }

 private:
  int32_t code_;
};
