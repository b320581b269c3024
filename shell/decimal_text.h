// Decimal number reading with the C library's leniency (leading blanks,
// optional sign, as many digits as there are) but without its undefined
// behaviour on overflow: out-of-range values saturate.
#pragma once
#include <cstdint>
#include <string_view>

// atoi-like: 0 when no digits. Saturates to the int32 range.
int32_t DecimalToInt32(std::string_view text);
// The same for 64-bit values.
int64_t DecimalToInt64(std::string_view text);

// Reads one number at `pos` (skipping spaces), advancing `pos` past it.
// Returns false when no digit follows. Saturates on overflow.
bool ReadDecimal(std::string_view text, size_t& pos, int64_t& value);
