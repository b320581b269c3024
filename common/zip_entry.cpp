#include "common/zip_entry.h"

#include <cctype>
#include <cstring>

namespace {

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
uint64_t Le64(const uint8_t* p) { return Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32); }

constexpr uint16_t kZip64ExtraId = 0x0001;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Names Windows reserves for devices, whatever the extension: "nul.txt"
// opens the null device, "con" the console.
bool IsReservedDeviceName(const std::string& part) {
  std::string base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const kFixed[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
  for (const char* name : kFixed)
    if (base == name) return true;
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

bool HasRefusedCharacter(const std::string& part) {
  for (unsigned char c : part) {
    if (c < 0x20 || std::strchr("<>:\"|?*", c)) return true;
  }
  return false;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool ParseZipLocalHeader(const uint8_t* bytes, ZZipLocalHeader& header) {
  if (Le32(bytes) != ZZipLocalHeader::kSignature) return false;
  header.flags = Le16(bytes + 6);
  header.method = Le16(bytes + 8);
  header.dosTime = Le16(bytes + 10);
  header.dosDate = Le16(bytes + 12);
  header.crc = Le32(bytes + 14);
  const uint32_t compressed = Le32(bytes + 18);
  const uint32_t uncompressed = Le32(bytes + 22);
  header.compressedSize = compressed;
  header.uncompressedSize = uncompressed;
  header.nameLength = Le16(bytes + 26);
  header.extraLength = Le16(bytes + 28);
  header.zip64 = compressed == ZZipLocalHeader::kZip64Marker || uncompressed == ZZipLocalHeader::kZip64Marker;
  return true;
}

bool ApplyZip64Extra(const uint8_t* extra, size_t size, ZZipLocalHeader& header) {
  if (!header.zip64) return true;
  size_t at = 0;
  while (at + 4 <= size) {
    const uint16_t id = Le16(extra + at);
    const uint16_t length = Le16(extra + at + 2);
    at += 4;
    if (length > size - at) return false;
    if (id == kZip64ExtraId) {
      // The record holds only the sizes the header marked, uncompressed first.
      size_t field = at;
      const size_t end = at + length;
      if (header.uncompressedSize == ZZipLocalHeader::kZip64Marker) {
        if (field + 8 > end) return false;
        header.uncompressedSize = Le64(extra + field);
        field += 8;
      }
      if (header.compressedSize == ZZipLocalHeader::kZip64Marker) {
        if (field + 8 > end) return false;
        header.compressedSize = Le64(extra + field);
      }
      return true;
    }
    at += length;
  }
  // A streaming writer marks the sizes and leaves them to the descriptor; the
  // data itself then says where it ends (deflate), so only a stored entry,
  // whose length nothing else gives, needs the record.
  if (header.hasDataDescriptor() && header.method != ZZipLocalHeader::kStored) {
    if (header.compressedSize == ZZipLocalHeader::kZip64Marker) header.compressedSize = 0;
    if (header.uncompressedSize == ZZipLocalHeader::kZip64Marker) header.uncompressedSize = 0;
    return true;
  }
  return false;
}

size_t ZipDataDescriptorSize(bool zip64) { return zip64 ? 20 : 12; }

bool SplitZipEntryName(const std::string& name, std::vector<std::string>& folders, std::string& file) {
  folders.clear();
  file.clear();
  if (name.empty() || IsSeparator(name[0])) return false;
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && !IsSeparator(name[i])) continue;
    std::string part = name.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == ".") {
      if (i == name.size()) parts.push_back(std::string());  // the name ends with a separator: a folder
      continue;
    }
    // "..", and the forms Windows reads as it: "..." and ".. " trim to it.
    if (part.find_first_not_of(". ") == std::string::npos) return false;
    if (HasRefusedCharacter(part) || IsReservedDeviceName(part)) return false;
    parts.push_back(part);
  }
  if (parts.empty()) return false;
  file = parts.back();
  parts.pop_back();
  folders = std::move(parts);
  return !(file.empty() && folders.empty());
}

bool DecodeDosDateTime(uint16_t date, uint16_t time, ZDosDateTime& out) {
  const int year = 1980 + (date >> 9);
  const int month = (date >> 5) & 0x0F;
  const int day = date & 0x1F;
  const int hour = time >> 11;
  const int minute = (time >> 5) & 0x3F;
  const int second = (time & 0x1F) * 2;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  out = ZDosDateTime{year, month, day, hour, minute, second};
  return true;
}
