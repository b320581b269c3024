// Extraction of a zip archive read front to back by its local headers (the
// central directory is not used): stored and deflated entries, data
// descriptors, folders made on the way. Decompression is zlib's raw inflate.
// Portable: the archive, the destination and the progress report are
// interfaces, which the Windows reader fills with files and a progress bar
// and the tests and the fuzz target with memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The archive, read sequentially.
class ZZipInput {
 public:
  virtual ~ZZipInput() = default;
  // Reads up to `size` bytes into `buffer`; `got` is less than `size` only
  // at the end of the archive. False on a read error.
  virtual bool read(void* buffer, size_t size, size_t& got) = 0;
  // Moves the position back by `count` bytes that were read but not used.
  virtual bool moveBack(size_t count) = 0;
  // Bytes from the position to the end.
  virtual uint64_t remaining() const = 0;
  virtual uint64_t size() const = 0;
};

// Where the entries go. Paths are relative to the destination, their parts
// separated by "/", already checked (common/zip_entry.h).
class ZZipOutput {
 public:
  virtual ~ZZipOutput() = default;
  // Makes the folder; one that exists already is fine.
  virtual bool makeFolder(const std::string& path) = 0;
  // Creates the file anew; the previous one of that name is replaced.
  virtual bool createFile(const std::string& path) = 0;
  virtual bool write(const void* data, size_t size) = 0;
  // Ends the file created last. Kept: gets the entry's DOS date and time
  // (local time) as its last-write time, never one in the future. Not kept:
  // deleted, so that no part of an entry stays behind.
  virtual void finishFile(bool keep, uint16_t dosDate, uint16_t dosTime) = 0;
};

// Progress, in archive bytes.
class ZZipProgress {
 public:
  virtual ~ZZipProgress() = default;
  virtual void started(uint64_t archiveSize) = 0;
  // `bytes` just read from the archive for an entry's data; `deflated` says
  // which kind of entry (the Windows report sends the one and posts the other).
  virtual void advanced(size_t bytes, bool deflated) = 0;
};

// Every entry of the archive below the destination. False when an entry
// fails (a refused name, an unknown method, damaged data or data whose
// CRC-32 is not the one the archive gives, a write that fails); the entries
// extracted before it stay. An empty archive, or one whose next bytes are
// no local header, ends successfully there.
// Memory stays within one 8192-byte block and zlib's window, whatever the
// archive declares.
bool ExtractZipEntries(ZZipInput& archive, ZZipOutput& destination, ZZipProgress* progress);

// An archive held in memory.
class ZZipMemoryInput : public ZZipInput {
 public:
  ZZipMemoryInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool read(void* buffer, size_t size, size_t& got) override;
  bool moveBack(size_t count) override;
  uint64_t remaining() const override { return size_ - position_; }
  uint64_t size() const override { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};
