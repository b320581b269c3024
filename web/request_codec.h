// The body of a request to the web service: typed, named fields one after
// another, then one zero byte.
//
//   "i" name "=" 4-byte integer
//   "a" name "=" 4-byte length, then the bytes
//   "m" name "=" 4-byte entry count, then per entry a 4-byte key and value
//
// Numbers are big-endian. Every value byte (the numbers included, the names
// not) is escaped: 0x00 as 0x01 0x01, 0x01 as 0x01 0x02; so the final zero
// byte is the only one of the body. A map without entries is not written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using ZIntegerMap = std::vector<std::pair<int32_t, int32_t>>;

class ZWebRequestWriter {
 public:
  // Names are plain ASCII without "=" (the program's own, never the user's).
  void addInteger(const char* name, int32_t value);
  void addBytes(const char* name, const std::string& bytes);
  void addIntegerMap(const char* name, const ZIntegerMap& entries);
  // The fields and the final zero byte, which the sent length includes.
  std::string body() const;

 private:
  void begin(char type, const char* name);
  void putEscaped(uint8_t byte);
  void putNumber(uint32_t value);

  std::string fields_;
};

struct ZWebRequestField {
  char type = 0;  // 'i', 'a' or 'm'
  std::string name;
  int32_t integer = 0;
  std::string bytes;
  ZIntegerMap map;
};

// Reads a request body as the service receives it. False, with `error`
// saying why, for anything but a well-formed body: a type other than i, a
// or m, a name that is empty, longer than 64 bytes or not printable ASCII,
// a bad escape, a zero byte before the end, a length or count beyond the
// bytes that are there, or a missing final zero byte.
bool DecodeWebRequest(const uint8_t* data, size_t size, std::vector<ZWebRequestField>& fields, std::string& error);
