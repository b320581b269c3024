#include "common/utf8.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

size_t EncodedLength(char16_t unit) {
  if (unit == kReplacement) return 0;
  if (unit < 0x80) return 1;
  if (unit < 0x800) return 2;
  return 3;
}

void AppendEncoded(char16_t unit, std::string& out) {
  switch (EncodedLength(unit)) {
    case 0:
      break;
    case 1:
      out.push_back(static_cast<char>(unit));
      break;
    case 2:
      out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
      break;
    default:
      out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
      break;
  }
}

// Length of the sequence that starts with `lead`: 1 for ASCII and for bytes
// that stand alone as a replacement, 2 or 3 for the two lead byte ranges.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  return 1;
}

// Decodes the unit at `data[pos]` and returns how many bytes it consumed.
size_t DecodeOne(const unsigned char* data, size_t size, size_t pos, char16_t& unit) {
  const unsigned char lead = data[pos];
  if (lead < 0x80) {
    unit = lead;
    return 1;
  }
  const size_t length = SequenceLength(lead);
  if (length == 1 || length > size - pos) {
    unit = kReplacement;
    return 1;
  }
  if (length == 2) {
    unit = static_cast<char16_t>(((lead & 0x1F) << 6) | (data[pos + 1] & 0x3F));
  } else {
    unit = static_cast<char16_t>(((lead & 0x0F) << 12) | ((data[pos + 1] & 0x3F) << 6) |
                                 (data[pos + 2] & 0x3F));
  }
  return length;
}

}  // namespace

size_t Utf8EncodedSize(const char16_t* text, size_t count) {
  size_t bytes = 0;
  for (size_t i = 0; i < count; ++i) bytes += EncodedLength(text[i]);
  return bytes + 1;
}

std::string Utf16ToUtf8(const char16_t* text, size_t count) {
  std::string out;
  out.reserve(Utf8EncodedSize(text, count) - 1);
  for (size_t i = 0; i < count; ++i) AppendEncoded(text[i], out);
  return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  return Utf16ToUtf8(text.data(), text.size());
}

size_t Utf16DecodedSize(const char* data, size_t size) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  size_t units = 0;
  char16_t unit;
  for (size_t pos = 0; pos < size; ++units) pos += DecodeOne(bytes, size, pos, unit);
  return units + 1;
}

std::u16string Utf8ToUtf16(const char* data, size_t size) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  std::u16string out;
  out.reserve(Utf16DecodedSize(data, size) - 1);
  char16_t unit;
  for (size_t pos = 0; pos < size;) {
    pos += DecodeOne(bytes, size, pos, unit);
    out.push_back(unit);
  }
  return out;
}

std::u16string Utf8ToUtf16(const std::string& text) {
  return Utf8ToUtf16(text.data(), text.size());
}
