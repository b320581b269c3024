// The value kinds of compound-file streams, read from the stream's bytes:
// text up to the first NUL, integers the way atoi reads them (without its
// undefined overflow), unsigned numbers and lists of them the way "%u" scans,
// Booleans and versions. Portable, so that the parsing can be fuzzed natively;
// common/storage.h applies it to real streams.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The longest value of each kind that a stream may hold. The program's own
// values stay far below these; a stream that claims more is damaged or
// hostile and is refused before anything is allocated for it.
constexpr size_t kLongestWordValue = 1024;       // numbers, lists, Booleans, versions, literals
constexpr size_t kLongestTextValue = 1u << 20;   // names, paths, command lines, texts
constexpr size_t kLongestPointsValue = 1u << 20; // the points of one stroke

// The bytes up to the first NUL, or all of them when there is none.
std::string TextUpToFirstNul(const uint8_t* data, size_t size);
std::string TextUpToFirstNul(const std::vector<uint8_t>& bytes);

// Leading blanks, an optional sign, then digits; no digits give 0. Values
// beyond the 32-bit range saturate at INT32_MIN / INT32_MAX.
int32_t ParseStoredInteger(const std::string& text);

// One "%u" conversion: blanks, an optional sign (a minus wraps around, as
// scanf does), digits, saturating at UINT32_MAX; no digits give 0.
uint32_t ParseStoredUnsigned(const std::string& text);

// Up to maxCount "%u" conversions one after another; the list is shorter
// when the text holds fewer numbers.
std::vector<uint32_t> ParseStoredNumberList(const std::string& text, size_t maxCount);

// Only exactly "true" is true.
bool ParseStoredBoolean(const std::string& literal);

// The version as atof reads it ("2.0" gives 2).
double ParseStoredVersion(const std::string& text);
// Symbol, action and plug-in files are all of generation 2: any 2.x is read,
// since a minor version only adds what older readers may ignore.
bool IsReadableFileVersion(double version);
