#include "common/zip_extraction.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "common/zip_entry.h"

namespace {

constexpr size_t kBufferSize = 8192;  // one block: inflate input, then output
constexpr size_t kChunk = 4096;

voidpf ZlibAlloc(voidpf, uInt items, uInt size) { return std::calloc(items, size); }
void ZlibFree(voidpf, voidpf address) { std::free(address); }

// Where one entry's bytes go: its file, or nowhere for the data of a folder
// entry, which must still be read past. Keeps their CRC-32.
class ZEntrySink {
 public:
  explicit ZEntrySink(ZZipOutput* file) : file_(file), crc_(crc32(0, Z_NULL, 0)) {}
  bool write(const void* data, size_t size) {
    if (size == 0) return true;
    crc_ = crc32(crc_, static_cast<const Bytef*>(data), static_cast<uInt>(size));
    return !file_ || file_->write(data, size);
  }
  uint32_t crc() const { return static_cast<uint32_t>(crc_); }

 private:
  ZZipOutput* file_;
  uLong crc_;
};

class ZExtraction {
 public:
  ZExtraction(ZZipInput& archive, ZZipOutput& destination, ZZipProgress* progress, uint8_t* buffer)
      : archive_(archive), destination_(destination), progress_(progress), buffer_(buffer) {}

  bool run();

 private:
  bool readExact(void* target, size_t size);
  bool skip(uint64_t count);
  void advanced(size_t bytes, bool deflated) {
    if (progress_) progress_->advanced(bytes, deflated);
  }
  bool extractEntry(const ZZipLocalHeader& header, const std::vector<std::string>& folders, const std::string& file);
  bool copyData(const ZZipLocalHeader& header, ZEntrySink& sink);
  bool copyStored(uint64_t size, ZEntrySink& sink);
  bool inflateData(const ZZipLocalHeader& header, ZEntrySink& sink);
  bool finishData(const ZZipLocalHeader& header, const ZEntrySink& sink);
  bool checkDataDescriptor(bool zip64, uint32_t computed);

  ZZipInput& archive_;
  ZZipOutput& destination_;
  ZZipProgress* progress_;
  uint8_t* buffer_;
};

bool ZExtraction::readExact(void* target, size_t size) {
  size_t got = 0;
  return archive_.read(target, size, got) && got == size;
}

bool ZExtraction::skip(uint64_t count) {
  while (count > 0) {
    const size_t step = static_cast<size_t>(std::min<uint64_t>(count, kBufferSize));
    if (!readExact(buffer_, step)) return false;
    count -= step;
  }
  return true;
}

bool ZExtraction::run() {
  for (;;) {
    uint8_t bytes[ZZipLocalHeader::kSize];
    size_t got = 0;
    if (!archive_.read(bytes, sizeof bytes, got)) return false;
    ZZipLocalHeader header;
    // What follows the last entry (the central directory) is no local header.
    if (got < sizeof bytes || !ParseZipLocalHeader(bytes, header)) return true;
    // Every length is checked against what is left before anything is read.
    if (header.nameLength + static_cast<uint64_t>(header.extraLength) > archive_.remaining()) return false;
    std::string name(header.nameLength, '\0');
    std::vector<uint8_t> extra(header.extraLength);
    if (!readExact(&name[0], name.size()) || !readExact(extra.data(), extra.size())) return false;
    if (!ApplyZip64Extra(extra.data(), extra.size(), header)) return false;
    std::vector<std::string> folders;
    std::string file;
    if (!SplitZipEntryName(name, folders, file)) return false;
    if (!extractEntry(header, folders, file)) return false;
  }
}

bool ZExtraction::extractEntry(const ZZipLocalHeader& header, const std::vector<std::string>& folders,
                               const std::string& file) {
  if (header.method != ZZipLocalHeader::kStored && header.method != ZZipLocalHeader::kDeflated) return false;
  std::string path;
  for (const std::string& folder : folders) {
    path += folder;
    if (!destination_.makeFolder(path)) return false;
    path += '/';
  }
  if (file.empty()) {
    ZEntrySink nowhere(nullptr);
    return copyData(header, nowhere) && finishData(header, nowhere);
  }
  if (!destination_.createFile(path + file)) return false;
  ZEntrySink sink(&destination_);
  const bool ok = copyData(header, sink) && finishData(header, sink);
  destination_.finishFile(ok, header.dosDate, header.dosTime);
  return ok;
}

// Past the data: the data descriptor, when there is one, then the check of
// what was written against the CRC-32 the archive gives for it.
bool ZExtraction::finishData(const ZZipLocalHeader& header, const ZEntrySink& sink) {
  if (header.hasDataDescriptor()) return checkDataDescriptor(header.zip64, sink.crc());
  return sink.crc() == header.crc;
}

bool ZExtraction::copyData(const ZZipLocalHeader& header, ZEntrySink& sink) {
  return header.method == ZZipLocalHeader::kStored ? copyStored(header.uncompressedSize, sink)
                                                   : inflateData(header, sink);
}

bool ZExtraction::copyStored(uint64_t size, ZEntrySink& sink) {
  if (size > archive_.remaining()) return false;
  while (size > 0) {
    const size_t step = static_cast<size_t>(std::min<uint64_t>(size, kBufferSize));
    if (!readExact(buffer_, step)) return false;
    advanced(step, false);
    if (!sink.write(buffer_, step)) return false;
    size -= step;
  }
  return true;
}

bool ZExtraction::inflateData(const ZZipLocalHeader& header, ZEntrySink& sink) {
  const bool known = header.compressedSizeKnown();
  const uint64_t compressed = header.compressedSize;
  if (known && compressed > archive_.remaining()) return false;
  uint8_t* const input = buffer_;
  uint8_t* const output = buffer_ + kChunk;

  z_stream stream;
  std::memset(&stream, 0, sizeof stream);
  stream.zalloc = ZlibAlloc;
  stream.zfree = ZlibFree;
  // Raw deflate: no zlib header, the archive carries the checksum.
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  stream.next_out = output;
  stream.avail_out = kChunk;

  uint64_t read = 0;
  bool ok = false;
  for (;;) {
    if (stream.avail_in == 0) {
      const size_t want = known ? static_cast<size_t>(std::min<uint64_t>(kChunk, compressed - read)) : kChunk;
      if (want > 0) {
        size_t got = 0;
        if (!archive_.read(input, want, got) || (known && got != want)) break;
        read += got;
        advanced(got, true);
        stream.next_in = input;
        stream.avail_in = static_cast<uInt>(got);
      }
    }
    if (stream.avail_out == 0) {
      if (!sink.write(output, kChunk)) break;
      stream.next_out = output;
      stream.avail_out = kChunk;
    }
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    if (result == Z_STREAM_END) {
      ok = true;
      break;
    }
    // Z_BUF_ERROR among them: the data ended before its stream did.
    if (result != Z_OK) break;
    // All the entry's bytes are in and zlib gave all it could from them.
    if (known && read == compressed && stream.avail_in == 0 && stream.avail_out > 0) {
      ok = true;
      break;
    }
  }
  if (ok) ok = sink.write(output, kChunk - stream.avail_out);
  if (ok) {
    // The next header lies right after the entry's data: give back what was
    // read beyond the stream's end, or read past what the stream left over.
    if (!known && stream.avail_in > 0) ok = archive_.moveBack(stream.avail_in);
    if (known && read < compressed) ok = skip(compressed - read);
  }
  inflateEnd(&stream);
  return ok;
}

bool ZExtraction::checkDataDescriptor(bool zip64, uint32_t computed) {
  auto le32 = [](const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
  };
  // [signature,] CRC, compressed size, uncompressed size; the sizes are
  // known by now from the data itself.
  size_t rest = ZipDataDescriptorSize(zip64);
  uint8_t word[4];
  if (!readExact(word, sizeof word)) return false;
  rest -= sizeof word;
  uint32_t crc = le32(word);
  if (crc == kZipDataDescriptorSignature) {
    // Most writers put the signature first. A CRC of that very value is
    // told from it by the word after it, which is then the CRC once more.
    if (!readExact(word, sizeof word)) return false;
    const uint32_t next = le32(word);
    if (computed != kZipDataDescriptorSignature || next == kZipDataDescriptorSignature) {
      crc = next;
    } else {
      rest -= sizeof word;  // that was the compressed size already
    }
  }
  return skip(rest) && crc == computed;
}

}  // namespace

bool ExtractZipEntries(ZZipInput& archive, ZZipOutput& destination, ZZipProgress* progress) {
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kBufferSize]);
  if (!buffer) return false;
  if (progress) progress->started(archive.size());
  ZExtraction extraction(archive, destination, progress, buffer.get());
  return extraction.run();
}

bool ZZipMemoryInput::read(void* buffer, size_t size, size_t& got) {
  got = std::min(size, size_ - position_);
  if (got > 0) std::memcpy(buffer, data_ + position_, got);
  position_ += got;
  return true;
}

bool ZZipMemoryInput::moveBack(size_t count) {
  if (count > position_) return false;
  position_ -= count;
  return true;
}
