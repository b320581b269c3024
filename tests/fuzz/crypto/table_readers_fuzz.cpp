// The id-text and pair table readers on arbitrary text: no crash, no read
// past the data, and what they write reads back to the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/id_text_table.h"
#include "common/pair_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* text = reinterpret_cast<const char*>(data);

  ZIdTextTable ids;
  ids.parse(text, size);
  const std::string idsText = ids.format();
  ZIdTextTable idsAgain;
  idsAgain.parse(idsText.data(), idsText.size());
  if (idsAgain.entries() != ids.entries()) std::abort();

  ZPairTable pairs;
  pairs.parse(text, size);
  const std::string pairsText = pairs.format();
  ZPairTable pairsAgain;
  pairsAgain.parse(pairsText.data(), pairsText.size());
  if (pairsAgain.entries() != pairs.entries()) std::abort();
  return 0;
}
