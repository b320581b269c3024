// Arbitrary clipboard data for the "HTML Format" reader: it must never read
// outside the buffer, whatever the offsets say.
#include <cstddef>
#include <cstdint>
#include <string>

#include "actions/html_fragment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  ReadHtmlFragment(reinterpret_cast<const char*>(data), size, text);
  return 0;
}
