// The program's own UTF-8 coders. They work on single UTF-16 code units (a
// surrogate pair becomes two three-byte sequences, not one four-byte one) so
// that text written by every version of the program reads back unit for unit.
#pragma once
#include <cstddef>
#include <string>

// Bytes the encoder produces for `count` units, plus one for the terminator.
size_t Utf8EncodedSize(const char16_t* text, size_t count);

// UTF-16 to UTF-8: below 0x80 one byte, below 0x800 two, all others three.
// U+FFFD (a character that was already lost) is dropped, not encoded.
std::string Utf16ToUtf8(const char16_t* text, size_t count);
std::string Utf16ToUtf8(const std::u16string& text);

// Units the decoder produces for `size` bytes, plus one for the terminator.
size_t Utf16DecodedSize(const char* data, size_t size);

// UTF-8 to UTF-16: ASCII copied; a lead byte 0xC2..0xDF takes one following
// byte, 0xE0..0xEF two; any other byte from 0x80 up yields U+FFFD and consumes
// only itself. Following bytes are taken without checking their top bits. A
// lead byte whose sequence is cut off by the end of the data also yields
// U+FFFD and consumes only itself, so nothing past `size` is ever read.
std::u16string Utf8ToUtf16(const char* data, size_t size);
std::u16string Utf8ToUtf16(const std::string& text);
