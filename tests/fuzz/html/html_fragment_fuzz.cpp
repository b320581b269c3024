// Arbitrary clipboard data for the "HTML Format" reader: it must never read
// outside the buffer, whatever the offsets say, nor give more text than the
// fragment has bytes (every byte, tag and reference yields at most one unit
// per byte it spans). The run's time limit catches a reader whose work grows
// faster than its input, such as a scan to the end for every bare "&".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "actions/html_fragment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text = u"untouched";
  const bool read = ReadHtmlFragment(reinterpret_cast<const char*>(data), size, text);
  if (!read && text != u"untouched") std::abort();
  if (read && text.size() > size) std::abort();
  return 0;
}
