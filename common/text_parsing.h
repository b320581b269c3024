// Small scanners shared by the readers of the tab-separated text tables.
#pragma once
#include <cstddef>
#include <cstdint>

namespace text_parsing {

// Length of the text up to its first NUL: the tables end where a C string would.
size_t TextLength(const char* text, size_t size);

// Position of the first CR or LF at or after `pos`, or `end`.
size_t LineEnd(const char* text, size_t pos, size_t end);

// Position after the CR and LF characters that start at `pos`.
size_t SkipLineBreaks(const char* text, size_t pos, size_t end);

// Position after the tabs and spaces that start at `pos`.
size_t SkipBlanks(const char* text, size_t pos, size_t end);

// Position of `c` in [pos, end), or `end`.
size_t Find(const char* text, size_t pos, size_t end, char c);

// A decimal number as atoi reads it: optional sign, then digits, stopping at
// the first other character; no digits give 0. The value wraps modulo 2^32,
// so that every unsigned 32-bit id written as "%u" reads back unchanged.
uint32_t ParseDecimal(const char* text, size_t pos, size_t end);

}  // namespace text_parsing
