#include "web/web_response.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr size_t kFilePiece = 100;        // an "F" value is read this much at a time
constexpr size_t kBytesPiece = 64 << 10;  // "A" and "U" values: what one read may bring

bool IsText(char type) { return type == 'A' || type == 'U'; }

char TypeOf(uint8_t letter) {
  const char type = static_cast<char>(std::toupper(letter));
  return type == 'I' || type == 'A' || type == 'U' || type == 'F' ? type : 0;
}

class ZResponseReading {
 public:
  ZResponseReading(ZWebResponseSource& source, ZWebResponseProgress* progress, ZWebResponse& response,
                   const ZWebResponseLimits& limits)
      : source_(source), progress_(progress), response_(response), limits_(limits) {}

  ZWebResponseEnd run();

 private:
  bool readByte(uint8_t& byte) {
    size_t got = 0;
    return source_.read(&byte, 1, got) && got == 1;
  }
  bool readExact(uint8_t* target, size_t size) {
    while (size > 0) {
      size_t got = 0;
      if (!source_.read(target, size, got) || got == 0) return false;
      target += got;
      size -= got;
    }
    return true;
  }
  bool readName(std::string& name);
  bool readLength(uint32_t& length);
  bool readBytes(uint32_t length, std::vector<uint8_t>& data);
  bool readFile(uint32_t length, std::vector<uint8_t>& data);
  // Bytes kept for a field of that name, which a new one would replace.
  size_t storedSize(const std::string& name) const {
    return response_.hasOfType(name, 'I') ? 0 : response_.length(name);
  }

  ZWebResponseSource& source_;
  ZWebResponseProgress* progress_;
  ZWebResponse& response_;
  const ZWebResponseLimits& limits_;
  size_t total_ = 0;
};

bool ZResponseReading::readName(std::string& name) {
  for (;;) {
    uint8_t c;
    if (!readByte(c)) return false;
    if (c == '=') return true;
    if (name.size() == limits_.maxName) return false;
    name += static_cast<char>(std::tolower(c));
  }
}

bool ZResponseReading::readLength(uint32_t& length) {
  uint8_t bytes[4];
  if (!readExact(bytes, sizeof bytes)) return false;
  length = (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
           (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
  return true;
}

bool ZResponseReading::readBytes(uint32_t length, std::vector<uint8_t>& data) {
  data.reserve(std::min<size_t>(length, kBytesPiece) + 1);
  while (data.size() < length) {
    const size_t want = std::min<size_t>(length - data.size(), kBytesPiece);
    const size_t at = data.size();
    data.resize(at + want);
    size_t got = 0;
    if (!source_.read(data.data() + at, want, got) || got == 0) return false;
    data.resize(at + got);
  }
  return true;
}

bool ZResponseReading::readFile(uint32_t length, std::vector<uint8_t>& data) {
  if (progress_) progress_->started(length);
  data.reserve(std::min<size_t>(length, kBytesPiece));
  uint8_t piece[kFilePiece];
  while (data.size() < length) {
    const size_t want = std::min<size_t>(length - data.size(), kFilePiece);
    size_t got = 0;
    if (!source_.read(piece, want, got) || got == 0) return false;
    data.insert(data.end(), piece, piece + got);
    if (progress_) progress_->received(static_cast<uint32_t>(data.size()));
  }
  return true;
}

ZWebResponseEnd ZResponseReading::run() {
  for (;;) {
    uint8_t letter;
    // No further field: the answer is complete.
    if (!readByte(letter)) return ZWebResponseEnd::Complete;
    ZWebResponseField field;
    field.type = TypeOf(letter);
    std::string name;
    if (!field.type || !readName(name)) return ZWebResponseEnd::Broken;
    uint32_t number = 0;
    if (!readLength(number)) return ZWebResponseEnd::Broken;
    if (field.type == 'I') {
      field.integer = static_cast<int32_t>(number);
    } else {
      // What is claimed is checked before anything is kept for it.
      const size_t replaced = storedSize(name);
      if (number > limits_.maxValue || number > source_.announcedRemaining() ||
          total_ - replaced + number > limits_.maxTotal)
        return ZWebResponseEnd::Broken;
      const bool read = field.type == 'F' ? readFile(number, field.data) : readBytes(number, field.data);
      if (!read) return ZWebResponseEnd::Broken;
      total_ = total_ - replaced + number;
    }
    response_.set(name, std::move(field));
  }
}

}  // namespace

size_t ZWebResponse::length(const std::string& name) const {
  const auto found = fields_.find(name);
  if (found == fields_.end()) return 0;
  const ZWebResponseField& field = found->second;
  return IsText(field.type) ? field.data.size() - 1 : field.data.size();
}

const uint8_t* ZWebResponse::data(const std::string& name) const {
  const auto found = fields_.find(name);
  return found == fields_.end() ? nullptr : found->second.data.data();
}

int32_t ZWebResponse::integer(const std::string& name) const {
  const auto found = fields_.find(name);
  return found != fields_.end() && found->second.type == 'I' ? found->second.integer : 0;
}

bool ZWebResponse::hasOfType(const std::string& name, char type) const {
  const auto found = fields_.find(name);
  return found != fields_.end() && found->second.type == type;
}

std::vector<std::string> ZWebResponse::names() const {
  std::vector<std::string> names;
  for (const auto& field : fields_) names.push_back(field.first);
  return names;
}

void ZWebResponse::set(const std::string& name, ZWebResponseField field) {
  if (field.type == 'I') {
    // The integer's four bytes, for data() and length().
    const uint32_t v = static_cast<uint32_t>(field.integer);
    field.data = {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                  static_cast<uint8_t>(v)};
  }
  // Text is held with a NUL after its last byte, outside its length.
  if (IsText(field.type)) field.data.push_back(0);
  fields_[name] = std::move(field);
}

ZWebResponseEnd ReadWebResponse(ZWebResponseSource& source, ZWebResponseProgress* progress,
                                ZWebResponse& response, const ZWebResponseLimits& limits) {
  response.clear();
  ZResponseReading reading(source, progress, response, limits);
  return reading.run();
}

void ZWebResponseWriter::putNumber(uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) body_ += static_cast<char>(value >> shift);
}

void ZWebResponseWriter::addInteger(const std::string& name, int32_t value) {
  body_ += 'I';
  body_ += name;
  body_ += '=';
  putNumber(static_cast<uint32_t>(value));
}

void ZWebResponseWriter::addBytes(char type, const std::string& name, const std::string& bytes) {
  body_ += type;
  body_ += name;
  body_ += '=';
  putNumber(static_cast<uint32_t>(bytes.size()));
  body_ += bytes;
}

bool ZWebMemorySource::read(void* buffer, size_t size, size_t& got) {
  got = std::min({size, piece_, bytes_.size() - at_});
  if (got > 0) std::memcpy(buffer, bytes_.data() + at_, got);
  at_ += got;
  return true;
}
