// The zip extraction over archives that Info-ZIP zip made at test time
// (tools/make-test-zips.sh, the web_zips fixture), extracted into memory:
// stored, deflated, data descriptors, standard input, Zip64 sizes, folders,
// refused names and methods, damaged archives, progress.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "common/zip_entry.h"
#include "common/zip_extraction.h"

namespace {

std::string Archives() { return ZAVOTRA_TEST_ZIPS; }

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string Source(const std::string& name) { return ReadBytes(Archives() + "src/" + name); }

std::string Sequence(int last) {
  std::string text;
  for (int i = 1; i <= last; ++i) text += std::to_string(i) + "\n";
  return text;
}

class MemoryFolder : public ZZipOutput {
 public:
  bool makeFolder(const std::string& path) override {
    if (files.count(path)) return false;
    folders.insert(path);
    return true;
  }
  bool createFile(const std::string& path) override {
    if (folders.count(path)) return false;
    current_ = path;
    files[path].clear();
    return true;
  }
  bool write(const void* data, size_t size) override {
    if (failWritesAfter >= 0 && files[current_].size() + size > static_cast<size_t>(failWritesAfter)) return false;
    files[current_].append(static_cast<const char*>(data), size);
    return true;
  }
  void finishFile(bool keep, uint16_t date, uint16_t time) override {
    if (!keep) {
      files.erase(current_);
      ++removed;
    } else {
      times[current_] = {date, time};
    }
  }

  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::map<std::string, std::pair<uint16_t, uint16_t>> times;
  int removed = 0;
  long failWritesAfter = -1;

 private:
  std::string current_;
};

class CountingProgress : public ZZipProgress {
 public:
  void started(uint64_t size) override {
    ++starts;
    archiveSize = size;
  }
  void advanced(size_t bytes, bool deflated) override { (deflated ? deflatedBytes : storedBytes) += bytes; }
  int starts = 0;
  uint64_t archiveSize = 0, storedBytes = 0, deflatedBytes = 0;
};

bool Extract(const std::string& archive, MemoryFolder& out, ZZipProgress* progress = nullptr) {
  ZZipMemoryInput input(reinterpret_cast<const uint8_t*>(archive.data()), archive.size());
  return ExtractZipEntries(input, out, progress);
}

bool ExtractFile(const std::string& name, MemoryFolder& out, ZZipProgress* progress = nullptr) {
  const std::string archive = ReadBytes(Archives() + name);
  EXPECT_FALSE(archive.empty() && name != "empty.zip") << name << " was not made";
  return Extract(archive, out, progress);
}

}  // namespace

struct ByteExactCase {
  const char* archive;
  std::vector<std::pair<std::string, std::string>> files;  // entry, content
};

TEST(ZipExtraction, InfoZipArchivesExtractByteExact) {
  const std::string hello = Source("hello.txt"), big = Source("big.txt"), binary = Source("binary.bin");
  ASSERT_GT(big.size(), 1000000u);
  const ByteExactCase cases[] = {
      {"stored.zip", {{"hello.txt", hello}, {"binary.bin", binary}}},
      {"deflated.zip", {{"hello.txt", hello}, {"big.txt", big}, {"binary.bin", binary}}},
      // Each entry has a data descriptor: the next header is found only when
      // the unused input of the entry before is given back.
      {"descriptors.zip", {{"big.txt", big}, {"hello.txt", hello}, {"binary.bin", binary}}},
      {"stdin.zip", {{"-", Sequence(50000)}}},
      {"stdin64.zip", {{"-", Sequence(50000)}}},
      {"stdin_seekable.zip", {{"-", Sequence(50000)}}},
  };
  for (const auto& c : cases) {
    MemoryFolder out;
    EXPECT_TRUE(ExtractFile(c.archive, out)) << c.archive;
    EXPECT_EQ(out.files.size(), c.files.size()) << c.archive;
    for (const auto& file : c.files) {
      ASSERT_EQ(out.files.count(file.first), 1u) << c.archive << ": " << file.first;
      EXPECT_TRUE(out.files[file.first] == file.second) << c.archive << ": " << file.first << " differs";
    }
  }
}

TEST(ZipExtraction, EntryInFoldersCreatesThemOnTheWay) {
  MemoryFolder out;
  ASSERT_TRUE(ExtractFile("folders.zip", out));
  EXPECT_EQ(out.folders, (std::set<std::string>{"a", "a/b"}));
  EXPECT_EQ(out.files["a/b/c.txt"], "deep\n");

  MemoryFolder entry;
  ASSERT_TRUE(ExtractFile("folder_entry.zip", entry));
  EXPECT_EQ(entry.folders, (std::set<std::string>{"d"}));
  EXPECT_TRUE(entry.files.empty());
}

TEST(ZipExtraction, UnknownMethodFailsAndLeavesTheEntriesBefore) {
  MemoryFolder out;
  EXPECT_FALSE(ExtractFile("method12.zip", out));
  EXPECT_EQ(out.files, (std::map<std::string, std::string>{{"first.txt", "first\n"}}));
}

TEST(ZipExtraction, NamesReachingOutsideAreRefused) {
  for (const char* archive : {"dotdot.zip", "absolute.zip"}) {
    MemoryFolder out;
    EXPECT_FALSE(ExtractFile(archive, out)) << archive;
    ASSERT_EQ(out.files.size(), 1u) << archive;  // the harmless entry before it
    for (const auto& file : out.files) EXPECT_EQ(file.first.find(".."), std::string::npos);
    EXPECT_EQ(out.files.count("evil.txt") + out.files.count("abs/evil.txt"), 0u);
  }
}

TEST(ZipExtraction, EmptyArchivesExtractToNothing) {
  for (const char* archive : {"empty.zip", "end_record_only.zip"}) {
    MemoryFolder out;
    EXPECT_TRUE(ExtractFile(archive, out)) << archive;
    EXPECT_TRUE(out.files.empty() && out.folders.empty()) << archive;
  }
}

TEST(ZipExtraction, CutArchiveKeepsTheCompleteEntriesOnly) {
  const std::string archive = ReadBytes(Archives() + "deflated.zip");
  // Into the second entry (big.txt, about 400 KB compressed): its file is
  // begun, then removed.
  const size_t second = archive.find("big.txt");
  ASSERT_NE(second, std::string::npos);
  for (size_t cut : {second + 1000, size_t(200000), archive.size() / 2}) {
    MemoryFolder out;
    EXPECT_FALSE(Extract(archive.substr(0, cut), out)) << cut;
    EXPECT_EQ(out.files.count("big.txt"), 0u) << cut;
    EXPECT_EQ(out.removed, 1) << cut;
  }
  // The central directory damaged: the local headers still carry everything.
  std::string damaged = archive;
  const size_t central = damaged.rfind("PK\x01\x02");
  ASSERT_NE(central, std::string::npos);
  damaged.resize(central + 10);
  MemoryFolder out;
  EXPECT_TRUE(Extract(damaged, out));
  EXPECT_EQ(out.files.size(), 3u);
}

TEST(ZipExtraction, DataThatIsNotWhatItsCrcSaysIsRefused) {
  const std::string stored = ReadBytes(Archives() + "stored.zip");
  const std::string descriptors = ReadBytes(Archives() + "descriptors.zip");
  const size_t data = stored.find("Hello, zip.");  // the first entry's stored bytes
  const size_t headerCrc = 14;                       // of the first local header
  // The first entry's descriptor: signature, then the CRC.
  const size_t descriptorCrc = descriptors.find("PK\x07\x08") + 4;
  ASSERT_NE(data, std::string::npos);
  ASSERT_NE(descriptorCrc, std::string::npos + 4);
  const std::pair<std::string, size_t> cases[] = {{stored, data}, {stored, headerCrc}, {descriptors, descriptorCrc}};
  for (const auto& c : cases) {
    std::string damaged = c.first;
    damaged[c.second] = static_cast<char>(damaged[c.second] ^ 0x20);
    MemoryFolder out;
    EXPECT_FALSE(Extract(damaged, out)) << c.second;
    EXPECT_TRUE(out.files.empty()) << c.second;
    EXPECT_EQ(out.removed, 1) << c.second;
  }
}

TEST(ZipExtraction, AFailingWriteRemovesTheEntry) {
  MemoryFolder out;
  out.failWritesAfter = 100000;
  EXPECT_FALSE(ExtractFile("deflated.zip", out));
  EXPECT_EQ(out.files.count("big.txt"), 0u);
  EXPECT_EQ(out.files.count("hello.txt"), 1u);
}

TEST(ZipExtraction, ProgressCountsTheArchiveBytesOfEachKind) {
  const std::string stored = ReadBytes(Archives() + "stored.zip");
  MemoryFolder out;
  CountingProgress progress;
  ASSERT_TRUE(Extract(stored, out, &progress));
  EXPECT_EQ(progress.starts, 1);
  EXPECT_EQ(progress.archiveSize, stored.size());
  EXPECT_EQ(progress.storedBytes, Source("hello.txt").size() + Source("binary.bin").size());
  EXPECT_EQ(progress.deflatedBytes, 0u);

  CountingProgress deflated;
  MemoryFolder out2;
  const std::string archive = ReadBytes(Archives() + "descriptors.zip");
  ASSERT_TRUE(Extract(archive, out2, &deflated));
  // Input read past a stream's end and given back is counted again.
  EXPECT_GT(deflated.deflatedBytes, 0u);
  EXPECT_LE(deflated.deflatedBytes, archive.size() + 3 * 4096);
}

TEST(ZipExtraction, EntryTimesAreHandedOnAsStored) {
  MemoryFolder out;
  ASSERT_TRUE(ExtractFile("dated.zip", out));
  const auto when = out.times["dated.txt"];
  ZDosDateTime parts;
  ASSERT_TRUE(DecodeDosDateTime(when.first, when.second, parts));
  EXPECT_EQ(parts.year, 2001);
  EXPECT_EQ(parts.month, 2);
  EXPECT_EQ(parts.day, 3);
  EXPECT_EQ(parts.hour, 4);
  EXPECT_EQ(parts.minute, 5);
  EXPECT_EQ(parts.second, 6);
}

TEST(ZipEntryName, SplitsAndRefuses) {
  struct Case {
    const char* name;
    bool ok;
    std::vector<std::string> folders;
    const char* file;
  };
  const Case cases[] = {
      {"a.txt", true, {}, "a.txt"},
      {"a/b/c.txt", true, {"a", "b"}, "c.txt"},
      {"a\\b\\c.txt", true, {"a", "b"}, "c.txt"},
      {"a/b/", true, {"a", "b"}, ""},
      {"./a//b.txt", true, {"a"}, "b.txt"},
      {"..x/y..", true, {"..x"}, "y.."},
      {"../x.txt", false, {}, ""},
      {"a/../../x.txt", false, {}, ""},
      {"a\\..\\x.txt", false, {}, ""},
      {"a/.../x", false, {}, ""},
      {"/etc/x", false, {}, ""},
      {"\\x", false, {}, ""},
      {"c:x.txt", false, {}, ""},
      {"C:/x.txt", false, {}, ""},
      {"file.txt:stream", false, {}, ""},
      {"nul", false, {}, ""},
      {"a/CON.txt", false, {}, ""},
      {"com1", false, {}, ""},
      {"lpt9.log", false, {}, ""},
      {"com10", true, {}, "com10"},
      {"console.txt", true, {}, "console.txt"},
      {"a?b", false, {}, ""},
      {"tab\there", false, {}, ""},
      {"", false, {}, ""},
      {"./", false, {}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> folders;
    std::string file;
    EXPECT_EQ(SplitZipEntryName(c.name, folders, file), c.ok) << c.name;
    if (c.ok) {
      EXPECT_EQ(folders, c.folders) << c.name;
      EXPECT_EQ(file, c.file) << c.name;
    }
  }
}

TEST(ZipEntryName, DosDatesAreChecked) {
  ZDosDateTime parts;
  EXPECT_TRUE(DecodeDosDateTime(((2024 - 1980) << 9) | (2 << 5) | 29, (23 << 11) | (59 << 5) | 29, parts));
  EXPECT_EQ(parts.second, 58);
  EXPECT_FALSE(DecodeDosDateTime(((2023 - 1980) << 9) | (2 << 5) | 29, 0, parts));  // no 29 February
  EXPECT_FALSE(DecodeDosDateTime((2024 - 1980) << 9 | (13 << 5) | 1, 0, parts));
  EXPECT_FALSE(DecodeDosDateTime((2024 - 1980) << 9 | (1 << 5) | 0, 0, parts));
  EXPECT_FALSE(DecodeDosDateTime((2024 - 1980) << 9 | (1 << 5) | 1, 24 << 11, parts));
  EXPECT_FALSE(DecodeDosDateTime((2024 - 1980) << 9 | (1 << 5) | 1, 60 << 5, parts));
}

TEST(ZipExtraction, HostileSizesCostNothing) {
  // A stored entry claiming 4 GB, a name longer than the archive, an extra
  // field past the end: each fails at once, with nothing written.
  auto header = [](uint16_t method, uint32_t size, uint16_t nameLength, uint16_t extraLength) {
    std::string h = std::string("PK\x03\x04", 4) + std::string(2, '\0');
    h += std::string(2, '\0');
    h += static_cast<char>(method & 0xFF);
    h += static_cast<char>(method >> 8);
    h += std::string(8, '\0');  // time, date, CRC
    for (int i = 0; i < 2; ++i)
      for (int b = 0; b < 4; ++b) h += static_cast<char>((size >> (8 * b)) & 0xFF);
    h += static_cast<char>(nameLength & 0xFF);
    h += static_cast<char>(nameLength >> 8);
    h += static_cast<char>(extraLength & 0xFF);
    h += static_cast<char>(extraLength >> 8);
    return h;
  };
  const std::string cases[] = {
      header(0, 0xFFFFFFF0u, 1, 0) + "x" + "data",
      header(8, 0x7FFFFFFFu, 1, 0) + "x" + "data",
      header(0, 4, 60000, 0) + "x",
      header(0, 4, 1, 60000) + "x",
      header(0, 0xFFFFFFFFu, 1, 0) + "x",  // Zip64 marker without its record
  };
  for (const auto& archive : cases) {
    MemoryFolder out;
    EXPECT_FALSE(Extract(archive, out));
    EXPECT_TRUE(out.files.empty());
  }
}
