// Builds first-format symbol bytes for tests, byte by byte.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gesture/first_format.h"

using Bytes = std::vector<uint8_t>;

inline void AppendBytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

inline void AppendText(Bytes& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

// Memory-order masks whose every row is recognisable: colour row r holds
// bytes r*16+column, transparency row r holds 0x80|r then r, r, r.
inline std::array<uint8_t, kColourMaskSize> PatternColourMask() {
  std::array<uint8_t, kColourMaskSize> mask{};
  for (size_t i = 0; i < mask.size(); ++i) mask[i] = static_cast<uint8_t>(i);
  return mask;
}

inline std::array<uint8_t, kTransparencyMaskSize> PatternTransparencyMask() {
  std::array<uint8_t, kTransparencyMaskSize> mask{};
  for (size_t row = 0; row < 32; ++row) {
    mask[row * 4] = static_cast<uint8_t>(0x80 | row);
    for (size_t c = 1; c < 4; ++c) mask[row * 4 + c] = static_cast<uint8_t>(row);
  }
  return mask;
}

// Body after the header: masks bottom row first, skipped byte, name, pairs
// given as raw bytes (so tests can put anything there), then `tail`.
inline Bytes FirstFormatBody(const std::string& name, const Bytes& pointBytes,
                             const std::array<uint8_t, kColourMaskSize>& colour = PatternColourMask(),
                             const std::array<uint8_t, kTransparencyMaskSize>& transparency =
                                 PatternTransparencyMask()) {
  Bytes out;
  for (size_t row = 32; row-- > 0;) out.insert(out.end(), colour.begin() + row * 16, colour.begin() + row * 16 + 16);
  for (size_t row = 32; row-- > 0;)
    out.insert(out.end(), transparency.begin() + row * 4, transparency.begin() + row * 4 + 4);
  out.push_back(0x5A);  // the skipped byte
  AppendText(out, name);
  AppendBytes(out, pointBytes);
  return out;
}

inline Bytes FirstFormatFile(const std::string& name, const Bytes& pointBytes) {
  const auto& header = FirstFormatHeader();
  Bytes out(header.begin(), header.end());
  AppendBytes(out, FirstFormatBody(name, pointBytes));
  return out;
}
