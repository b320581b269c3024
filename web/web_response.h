// The body of the web service's answer: fields of a type letter, a name up
// to "=", then the value, with no escaping.
//
//   "I" 4-byte integer
//   "A", "U" 4-byte length, then the bytes (held with a NUL added)
//   "F" 4-byte length, then the bytes, read in pieces of at most 100 bytes
//       with progress reports (the archives: lists and plug-in packages)
//
// Numbers are big-endian. Type letters are compared without regard to case
// and names are held in lower case; a later field replaces an earlier one of
// the same name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ZWebResponseField {
  char type = 0;  // 'I', 'A', 'U' or 'F'
  std::vector<uint8_t> data;
  int32_t integer = 0;
};

class ZWebResponse {
 public:
  bool has(const std::string& name) const { return fields_.count(name) != 0; }
  // The value's byte count (4 for an integer); 0 for a missing field.
  size_t length(const std::string& name) const;
  // The value's bytes (for "A" and "U" followed by a NUL); null when missing.
  const uint8_t* data(const std::string& name) const;
  // The value of an "I" field; 0 for a missing one or another type.
  int32_t integer(const std::string& name) const;
  // Whether the field is there with this type.
  bool hasOfType(const std::string& name, char type) const;

  // Every field name, in ascending order.
  std::vector<std::string> names() const;

  void set(const std::string& name, ZWebResponseField field);
  void clear() { fields_.clear(); }
  size_t size() const { return fields_.size(); }

 private:
  std::map<std::string, ZWebResponseField> fields_;
};

// The response as it arrives (InternetReadFile, or memory in the tests).
class ZWebResponseSource {
 public:
  virtual ~ZWebResponseSource() = default;
  // Reads up to `size` bytes; false on failure; `got` 0 at the end.
  virtual bool read(void* buffer, size_t size, size_t& got) = 0;
  // The bytes still to come when the sender said how many (its
  // Content-Length), else UINT64_MAX.
  virtual uint64_t announcedRemaining() const { return UINT64_MAX; }
};

// Progress of an "F" value: its length once, then the bytes received so far
// after each piece.
class ZWebResponseProgress {
 public:
  virtual ~ZWebResponseProgress() = default;
  virtual void started(uint32_t length) = 0;
  virtual void received(uint32_t soFar) = 0;
};

// The most the reader keeps, so that a hostile or broken answer costs no
// more memory than this whatever its lengths claim.
struct ZWebResponseLimits {
  size_t maxName = 256;
  size_t maxValue = 64u << 20;
  size_t maxTotal = 128u << 20;
};

enum class ZWebResponseEnd {
  Complete,  // the data ended between two fields: the answer may be used
  Broken,    // an unknown type, or the data ended inside a field: use nothing
};

// Reads the answer into `response` (cleared first). A value's buffer grows
// only with the bytes that really arrive; a length beyond what the sender
// announced, or beyond the limits, ends reading at once as Broken.
ZWebResponseEnd ReadWebResponse(ZWebResponseSource& source, ZWebResponseProgress* progress,
                                ZWebResponse& response, const ZWebResponseLimits& limits = ZWebResponseLimits());

// Builds an answer (the reference service, the tests).
class ZWebResponseWriter {
 public:
  void addInteger(const std::string& name, int32_t value);
  // `type` is 'A', 'U' or 'F'.
  void addBytes(char type, const std::string& name, const std::string& bytes);
  const std::string& body() const { return body_; }

 private:
  void putNumber(uint32_t value);
  std::string body_;
};

// An answer held in memory, optionally handed out in pieces of at most
// `piece` bytes per read, as a network does.
class ZWebMemorySource : public ZWebResponseSource {
 public:
  explicit ZWebMemorySource(const std::string& bytes, size_t piece = SIZE_MAX, bool announce = false)
      : bytes_(bytes), piece_(piece), announce_(announce) {}
  bool read(void* buffer, size_t size, size_t& got) override;
  uint64_t announcedRemaining() const override { return announce_ ? bytes_.size() - at_ : UINT64_MAX; }

 private:
  std::string bytes_;
  size_t piece_;
  bool announce_;
  size_t at_ = 0;
};
