#include "web/request_codec.h"

#include <cstring>

namespace {

constexpr uint8_t kEscape = 0x01;
constexpr size_t kMaxNameLength = 64;

bool IsNameByte(uint8_t c) { return c > 0x20 && c < 0x7F && c != '='; }

class ZRequestScanner {
 public:
  ZRequestScanner(const uint8_t* data, size_t end) : data_(data), end_(end) {}

  bool atEnd() const { return at_ == end_; }
  size_t left() const { return end_ - at_; }
  uint8_t next() { return data_[at_++]; }

  // One value byte, unescaped.
  bool value(uint8_t& byte, std::string& error) {
    if (atEnd()) return fail("the body ends inside a value", error);
    const uint8_t c = next();
    if (c != kEscape) {
      byte = c;
      return true;
    }
    if (atEnd()) return fail("the body ends inside an escape", error);
    const uint8_t code = next();
    if (code != 0x01 && code != 0x02) return fail("a bad escape", error);
    byte = static_cast<uint8_t>(code - 1);
    return true;
  }

  bool number(uint32_t& out, std::string& error) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t byte;
      if (!value(byte, error)) return false;
      out = (out << 8) | byte;
    }
    return true;
  }

  static bool fail(const char* why, std::string& error) {
    error = why;
    return false;
  }

 private:
  const uint8_t* data_;
  size_t end_;
  size_t at_ = 0;
};

bool DecodeName(ZRequestScanner& scan, std::string& name, std::string& error) {
  name.clear();
  for (;;) {
    if (scan.atEnd()) return ZRequestScanner::fail("the body ends inside a name", error);
    const uint8_t c = scan.next();
    if (c == '=') break;
    if (!IsNameByte(c) || name.size() == kMaxNameLength) return ZRequestScanner::fail("a bad field name", error);
    name += static_cast<char>(c);
  }
  return !name.empty() || ZRequestScanner::fail("an empty field name", error);
}

bool DecodeValue(ZRequestScanner& scan, ZWebRequestField& field, std::string& error) {
  uint32_t number = 0;
  if (!scan.number(number, error)) return false;
  switch (field.type) {
    case 'i':
      field.integer = static_cast<int32_t>(number);
      return true;
    case 'a': {
      // Every byte takes at least one byte of the body.
      if (number > scan.left()) return ZRequestScanner::fail("a length beyond the body", error);
      field.bytes.resize(number);
      for (uint32_t i = 0; i < number; ++i) {
        uint8_t byte;
        if (!scan.value(byte, error)) return false;
        field.bytes[i] = static_cast<char>(byte);
      }
      return true;
    }
    default: {
      if (number > scan.left() / 8) return ZRequestScanner::fail("a count beyond the body", error);
      field.map.resize(number);
      for (auto& entry : field.map) {
        uint32_t key, value;
        if (!scan.number(key, error) || !scan.number(value, error)) return false;
        entry = {static_cast<int32_t>(key), static_cast<int32_t>(value)};
      }
      return true;
    }
  }
}

}  // namespace

void ZWebRequestWriter::begin(char type, const char* name) {
  fields_ += type;
  fields_ += name;
  fields_ += '=';
}

void ZWebRequestWriter::putEscaped(uint8_t byte) {
  if (byte == 0x00 || byte == 0x01) {
    fields_ += static_cast<char>(kEscape);
    fields_ += static_cast<char>(byte + 1);
  } else {
    fields_ += static_cast<char>(byte);
  }
}

void ZWebRequestWriter::putNumber(uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) putEscaped(static_cast<uint8_t>(value >> shift));
}

void ZWebRequestWriter::addInteger(const char* name, int32_t value) {
  begin('i', name);
  putNumber(static_cast<uint32_t>(value));
}

void ZWebRequestWriter::addBytes(const char* name, const std::string& bytes) {
  begin('a', name);
  putNumber(static_cast<uint32_t>(bytes.size()));
  for (char c : bytes) putEscaped(static_cast<uint8_t>(c));
}

void ZWebRequestWriter::addIntegerMap(const char* name, const ZIntegerMap& entries) {
  if (entries.empty()) return;
  begin('m', name);
  putNumber(static_cast<uint32_t>(entries.size()));
  for (const auto& entry : entries) {
    putNumber(static_cast<uint32_t>(entry.first));
    putNumber(static_cast<uint32_t>(entry.second));
  }
}

std::string ZWebRequestWriter::body() const { return fields_ + '\0'; }

bool DecodeWebRequest(const uint8_t* data, size_t size, std::vector<ZWebRequestField>& fields, std::string& error) {
  fields.clear();
  if (size == 0 || data[size - 1] != 0) return ZRequestScanner::fail("the body lacks its final zero byte", error);
  if (std::memchr(data, 0, size - 1)) return ZRequestScanner::fail("a zero byte before the end", error);
  ZRequestScanner scan(data, size - 1);
  while (!scan.atEnd()) {
    ZWebRequestField field;
    field.type = static_cast<char>(scan.next());
    if (field.type != 'i' && field.type != 'a' && field.type != 'm')
      return ZRequestScanner::fail("an unknown field type", error);
    if (!DecodeName(scan, field.name, error) || !DecodeValue(scan, field, error)) return false;
    fields.push_back(std::move(field));
  }
  return true;
}
