#include "server/zip_writer.h"

#include <zlib.h>

#include <cstring>
#include <limits>

namespace {

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void DosTime(time_t when, uint16_t& date, uint16_t& time) {
  struct tm local;
  localtime_r(&when, &local);
  if (local.tm_year < 80) {  // DOS dates begin in 1980
    date = (1 << 5) | 1;
    time = 0;
    return;
  }
  date = static_cast<uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  time = static_cast<uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

bool Deflate(const std::string& data, std::string& out) {
  z_stream stream;
  std::memset(&stream, 0, sizeof stream);
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  out.resize(deflateBound(&stream, static_cast<uLong>(data.size())));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return result == Z_STREAM_END;
}

struct EntryFields {
  uint16_t method, time, date;
  uint32_t crc, compressed, uncompressed;
  uint16_t nameLength;
};

// From "version needed" to the extra field's length: what a local header
// and a central directory entry both carry.
void PutEntryFields(std::string& out, const EntryFields& f) {
  Put16(out, 20);  // version needed: 2.0
  Put16(out, 0);   // flags
  Put16(out, f.method);
  Put16(out, f.time);
  Put16(out, f.date);
  Put32(out, f.crc);
  Put32(out, f.compressed);
  Put32(out, f.uncompressed);
  Put16(out, f.nameLength);
  Put16(out, 0);  // extra field
}

}  // namespace

bool ZZipWriter::add(const std::string& name, const std::string& data, time_t modified) {
  constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();
  if (data.size() >= kLimit || name.size() > 0xFFFF || entries_ == 0xFFFF) return false;
  std::string deflated;
  if (!Deflate(data, deflated)) return false;
  const bool stored = deflated.size() >= data.size();
  const std::string& payload = stored ? data : deflated;
  if (local_.size() + payload.size() + name.size() + 30 >= kLimit) return false;
  const uint32_t crc = static_cast<uint32_t>(
      crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  uint16_t date, time;
  DosTime(modified, date, time);
  const uint32_t offset = static_cast<uint32_t>(local_.size());
  const EntryFields fields{static_cast<uint16_t>(stored ? 0 : 8), time, date, crc,
                           static_cast<uint32_t>(payload.size()), static_cast<uint32_t>(data.size()),
                           static_cast<uint16_t>(name.size())};

  Put32(local_, 0x04034b50);
  PutEntryFields(local_, fields);
  local_ += name;
  local_ += payload;

  Put32(central_, 0x02014b50);
  Put16(central_, 0x031E);  // made by: Unix, 3.0
  PutEntryFields(central_, fields);
  Put16(central_, 0);  // comment
  Put16(central_, 0);  // disk
  Put16(central_, 0);  // internal attributes
  Put32(central_, 0100644u << 16);
  Put32(central_, offset);
  central_ += name;
  ++entries_;
  return true;
}

std::string ZZipWriter::finish() {
  std::string archive = local_ + central_;
  Put32(archive, 0x06054b50);
  Put16(archive, 0);
  Put16(archive, 0);
  Put16(archive, entries_);
  Put16(archive, entries_);
  Put32(archive, static_cast<uint32_t>(central_.size()));
  Put32(archive, static_cast<uint32_t>(local_.size()));
  Put16(archive, 0);
  local_.clear();
  central_.clear();
  entries_ = 0;
  return archive;
}
