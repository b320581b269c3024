// The local file header of a zip archive entry and the checks on its name.
// Portable: no file system here, only the bytes of the published layout.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ZZipLocalHeader {
  static constexpr size_t kSize = 30;
  static constexpr uint32_t kSignature = 0x04034b50;
  static constexpr uint16_t kDataDescriptorFlag = 0x0008;
  static constexpr uint16_t kStored = 0;
  static constexpr uint16_t kDeflated = 8;
  // A 32-bit size of this value says the real one is in the Zip64 extra field.
  static constexpr uint32_t kZip64Marker = 0xFFFFFFFF;

  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t dosTime = 0;
  uint16_t dosDate = 0;
  uint32_t crc = 0;
  uint64_t compressedSize = 0;
  uint64_t uncompressedSize = 0;
  uint16_t nameLength = 0;
  uint16_t extraLength = 0;
  // The 32-bit size fields held the Zip64 marker (the data descriptor then
  // carries 8-byte sizes too).
  bool zip64 = false;

  bool hasDataDescriptor() const { return (flags & kDataDescriptorFlag) != 0; }
  // Whether the compressed size tells where the entry's data ends. With a
  // data descriptor the writer did not know it yet (Info-ZIP writes 0, or
  // the Zip64 marker); 0 means unknown as well.
  bool compressedSizeKnown() const { return !hasDataDescriptor() && compressedSize != 0; }
};

// Reads the 30 bytes at `bytes`; false when the signature is not a local
// header's (the archive's entries end there).
bool ParseZipLocalHeader(const uint8_t* bytes, ZZipLocalHeader& header);

// Takes the real sizes from a Zip64 extra field (header id 1) where the
// 32-bit fields held the marker. False for an extra field whose records run
// past its end or that lacks a size the header defers to it.
bool ApplyZip64Extra(const uint8_t* extra, size_t size, ZZipLocalHeader& header);

// The data descriptor after an entry's data: CRC, compressed and
// uncompressed size, 12 bytes (20 for Zip64), which most writers (Info-ZIP
// among them) precede with the signature 0x08074b50.
constexpr uint32_t kZipDataDescriptorSignature = 0x08074b50;
size_t ZipDataDescriptorSize(bool zip64);

// The parts of an entry name: the folders in order and the file name, which
// is empty for a folder entry ("a/b/"). False for a name that would reach
// outside the destination or that Windows can't hold: an absolute name
// ("/x", "\x"), one with a drive or stream ("c:x", "a:b"), a ".." part, a
// reserved device name (con, nul, com1, ...), characters Windows refuses in
// file names (< > " | ? * and control characters) or an empty name. Both
// "/" and "\" separate parts: Windows takes either. Empty and "." parts are
// dropped.
bool SplitZipEntryName(const std::string& name, std::vector<std::string>& folders, std::string& file);

// The fields of a DOS date and time. Checked: month 1-12, day valid for the
// month, hour < 24, minute < 60, second < 60 (two-second steps).
struct ZDosDateTime {
  int year, month, day, hour, minute, second;
};
bool DecodeDosDateTime(uint16_t date, uint16_t time, ZDosDateTime& out);
