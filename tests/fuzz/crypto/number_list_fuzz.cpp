// The number list reader on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/number_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZNumberList list;
  list.parse(reinterpret_cast<const char*>(data), size);
  // Every number takes at least one byte of text.
  if (list.values().size() > size) std::abort();
  return 0;
}
