// Arbitrary bytes through the readers of the older formats: the first symbol
// format (whole file and bare body) and the older plug-in form with its
// actions. Each must either succeed or throw ZReadError, and never read
// outside the buffer (ASan watches the exact-size copy).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "actions/legacy_action_record.h"
#include "actions/legacy_stream.h"
#include "common/errors.h"
#include "gesture/first_format.h"
#include "plugins/legacy_plugin_record.h"
#include "tests/fuzz/tolerate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const uint8_t* exact = bytes.data();

  Tolerate([&] { SymbolFromFirstFormat(ParseFirstFormatFile(exact, size)); });
  Tolerate([&] {
    size_t position = 0;
    FirstFormatSymbol symbol;
    ReadFirstFormatBody(exact, size, position, symbol);
    if (position > size) __builtin_trap();
  });
  Tolerate([&] {
    LegacyStream stream(bytes);
    if (IsLegacyPluginFile(exact, size)) ReadLegacyPlugin(stream, true);
  });
  Tolerate([&] {
    LegacyStream stream(bytes);
    ReadLegacyActionSequence(stream);
    if (stream.position() > stream.size()) __builtin_trap();
  });
  return 0;
}
