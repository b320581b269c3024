// The UTF-8 decoder on arbitrary bytes: no read past the data, the sizing
// pass agrees with the decoder, and re-encoding the result is stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const std::u16string text = Utf8ToUtf16(bytes, size);
  if (Utf16DecodedSize(bytes, size) != text.size() + 1) std::abort();
  if (text.size() > size) std::abort();

  const std::string encoded = Utf16ToUtf8(text);
  if (Utf8EncodedSize(text.data(), text.size()) != encoded.size() + 1) std::abort();
  // Dropping U+FFFD is the only loss: decoding the encoding gives the text
  // without its replacement characters.
  std::u16string kept;
  for (char16_t unit : text)
    if (unit != 0xFFFD) kept.push_back(unit);
  if (Utf8ToUtf16(encoded) != kept) std::abort();
  return 0;
}
