// The web service's answer reader and the request decoder on arbitrary
// bytes. The reader keeps no more than the bytes that arrived and ends
// without a crash however the data is cut into reads; a request body the
// decoder accepts is written back byte for byte by the request writer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "web/request_codec.h"
#include "web/web_response.h"

namespace {

void ReadAnswer(const uint8_t* data, size_t size) {
  if (size == 0) return;
  const size_t piece = 1 + data[0] % 64;  // how the network hands the bytes out
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  ZWebMemorySource source(bytes, piece, data[0] & 0x80);
  ZWebResponse response;
  ReadWebResponse(source, nullptr, response);
  size_t kept = 0;
  for (const std::string& name : response.names()) kept += response.length(name);
  if (kept > bytes.size()) std::abort();
}

void DecodeRequest(const uint8_t* data, size_t size) {
  std::vector<ZWebRequestField> fields;
  std::string error;
  if (!DecodeWebRequest(data, size, fields, error)) return;
  ZWebRequestWriter writer;
  for (const auto& field : fields) {
    if (field.type == 'm' && field.map.empty()) return;  // the writer leaves such a map out
    if (field.type == 'i') writer.addInteger(field.name.c_str(), field.integer);
    if (field.type == 'a') writer.addBytes(field.name.c_str(), field.bytes);
    if (field.type == 'm') writer.addIntegerMap(field.name.c_str(), field.map);
  }
  if (writer.body() != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadAnswer(data, size);
  DecodeRequest(data, size);
  return 0;
}
