#include "common/file_cipher.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "common/cipher_image.h"
#include "tests/support/temp_folder.h"

namespace {

ZKeyBlock Key(uint8_t seed, size_t used = 16) {
  uint8_t bytes[ZKeyBlock::kSize];
  for (size_t i = 0; i < ZKeyBlock::kSize; ++i) bytes[i] = static_cast<uint8_t>(seed * 31 + i);
  return ZKeyBlock(bytes, used);
}

struct Times {
  FILETIME created, accessed, written;
};

bool operator==(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

FILETIME At(WORD year, WORD month, WORD day) {
  SYSTEMTIME system{};
  system.wYear = year;
  system.wMonth = month;
  system.wDay = day;
  system.wHour = 12;
  FILETIME time;
  SystemTimeToFileTime(&system, &time);
  return time;
}

Times GetTimes(const std::string& path) {
  Times times{};
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, &times.created, &times.accessed, &times.written);
  CloseHandle(file);
  return times;
}

// Gives the file three distinct times far in the past, so that any change
// by an operation shows.
Times SetOldTimes(const std::string& path) {
  Times times{At(2001, 2, 3), At(2002, 3, 4), At(2003, 4, 5)};
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, &times.created, &times.accessed, &times.written);
  CloseHandle(file);
  return GetTimes(path);
}

void ExpectSameTimes(const Times& a, const Times& b) {
  EXPECT_TRUE(a.created == b.created);
  EXPECT_TRUE(a.accessed == b.accessed);
  EXPECT_TRUE(a.written == b.written);
}

const std::string kThirteen = "Hello, world!";

class FileCipherTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::string path_ = folder_.file("data.bin");
};

// The times are checked right after each operation: reading the file in the
// test moves its access time on the host file system.
TEST_F(FileCipherTest, ThirteenBytesBecomeTwentyFourAndComeBackWithTheirTimes) {
  TempFolder::Write(path_, kThirteen);
  Times before = SetOldTimes(path_);

  ASSERT_TRUE(ZFileCipher::EncryptInPlace(path_.c_str(), Key(1)));
  ExpectSameTimes(GetTimes(path_), before);
  const std::string image = TempFolder::Read(path_);
  ASSERT_EQ(image.size(), 24u);
  EXPECT_EQ(image.substr(0, 8), std::string("\0\0\0\0\0\0\0\x0D", 8));
  std::vector<uint8_t> plain;
  ASSERT_TRUE(DecryptImage(reinterpret_cast<const uint8_t*>(image.data()), image.size(), Key(1), plain));
  EXPECT_EQ(std::string(plain.begin(), plain.end()), kThirteen);

  before = SetOldTimes(path_);
  ASSERT_TRUE(ZFileCipher::DecryptInPlace(path_.c_str(), Key(1)));
  ExpectSameTimes(GetTimes(path_), before);
  EXPECT_EQ(TempFolder::Read(path_), kThirteen);
}

TEST_F(FileCipherTest, RekeyThenDecryptWithTheNewKey) {
  const std::string content(1000, 'z');
  TempFolder::Write(path_, content);
  Times before = SetOldTimes(path_);
  ASSERT_TRUE(ZFileCipher::EncryptInPlace(path_.c_str(), Key(1)));
  ExpectSameTimes(GetTimes(path_), before);
  const std::string first = TempFolder::Read(path_);

  before = SetOldTimes(path_);
  ASSERT_TRUE(ZFileCipher::RekeyInPlace(path_.c_str(), Key(1), Key(2)));
  ExpectSameTimes(GetTimes(path_), before);
  const std::string second = TempFolder::Read(path_);
  EXPECT_EQ(second.size(), first.size());
  EXPECT_EQ(second.substr(0, 8), first.substr(0, 8));
  EXPECT_NE(second, first);

  before = SetOldTimes(path_);
  ASSERT_TRUE(ZFileCipher::DecryptInPlace(path_.c_str(), Key(2)));
  ExpectSameTimes(GetTimes(path_), before);
  EXPECT_EQ(TempFolder::Read(path_), content);
}

TEST_F(FileCipherTest, EmptyFileIsRefusedAndStaysEmpty) {
  TempFolder::Write(path_, "");
  const Times before = SetOldTimes(path_);
  EXPECT_FALSE(ZFileCipher::EncryptInPlace(path_.c_str(), Key(1)));
  ExpectSameTimes(GetTimes(path_), before);
  EXPECT_EQ(TempFolder::Read(path_), "");
  EXPECT_FALSE(ZFileCipher::DecryptInPlace(path_.c_str(), Key(1)));
  EXPECT_FALSE(ZFileCipher::RekeyInPlace(path_.c_str(), Key(1), Key(2)));
  EXPECT_EQ(TempFolder::Read(path_), "");
}

TEST_F(FileCipherTest, MalformedImagesFailAndStayUnchanged) {
  const std::string claimsMore = std::string("\0\0\0\0\0\0\0\x11", 8) + std::string(16, 'x');
  const std::string plainText = "just some plain text, never encrypted";
  for (const std::string& content : {std::string("12345678"), claimsMore, plainText}) {
    TempFolder::Write(path_, content);
    const Times before = SetOldTimes(path_);
    EXPECT_FALSE(ZFileCipher::DecryptInPlace(path_.c_str(), Key(1)));
    EXPECT_FALSE(ZFileCipher::RekeyInPlace(path_.c_str(), Key(1), Key(2)));
    ExpectSameTimes(GetTimes(path_), before);
    EXPECT_EQ(TempFolder::Read(path_), content);
  }
}

TEST_F(FileCipherTest, MissingOrLockedFileFails) {
  EXPECT_FALSE(ZFileCipher::EncryptInPlace(folder_.file("none").c_str(), Key(1)));
  TempFolder::Write(path_, kThirteen);
  HANDLE holder = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(ZFileCipher::EncryptInPlace(path_.c_str(), Key(1)));
  CloseHandle(holder);
  EXPECT_EQ(TempFolder::Read(path_), kThirteen);
}

TEST_F(FileCipherTest, WrongKeyGivesWrongContentOfTheRightLength) {
  TempFolder::Write(path_, kThirteen);
  ASSERT_TRUE(ZFileCipher::EncryptInPlace(path_.c_str(), Key(1)));
  ASSERT_TRUE(ZFileCipher::DecryptInPlace(path_.c_str(), Key(2)));
  const std::string wrong = TempFolder::Read(path_);
  EXPECT_EQ(wrong.size(), kThirteen.size());
  EXPECT_NE(wrong, kThirteen);
}

bool StartsWithTempPrefix(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return path.compare(slash + 1, 3, ".z_") == 0;
}

TEST_F(FileCipherTest, DecryptToTemporaryCopyLeavesTheSourceAlone) {
  TempFolder::Write(path_, kThirteen);
  ASSERT_TRUE(ZFileCipher::EncryptInPlace(path_.c_str(), Key(1, 7)));
  const std::string image = TempFolder::Read(path_);

  std::string copy;
  ASSERT_TRUE(ZFileCipher::DecryptToTemporaryCopy(path_.c_str(), Key(1, 7), copy));
  EXPECT_TRUE(StartsWithTempPrefix(copy)) << copy;
  EXPECT_EQ(TempFolder::Read(copy), kThirteen);
  EXPECT_EQ(TempFolder::Read(path_), image);
  EXPECT_TRUE(WipeFile(copy.c_str(), true));
  EXPECT_FALSE(TempFolder::Exists(copy));
}

TEST_F(FileCipherTest, DecryptToTemporaryCopyHandsTheNameBackAlsoOnFailure) {
  TempFolder::Write(path_, "");
  for (const std::string& source : {path_, folder_.file("missing")}) {
    std::string copy;
    EXPECT_FALSE(ZFileCipher::DecryptToTemporaryCopy(source.c_str(), Key(1), copy));
    ASSERT_FALSE(copy.empty());
    EXPECT_TRUE(StartsWithTempPrefix(copy));
    EXPECT_TRUE(TempFolder::Exists(copy));
    EXPECT_TRUE(WipeFile(copy.c_str(), true));
    EXPECT_FALSE(TempFolder::Exists(copy));
  }
}

TEST_F(FileCipherTest, WipeFileOverwritesEveryByte) {
  TempFolder::Write(path_, "secret content");
  EXPECT_TRUE(WipeFile(path_.c_str(), false));
  EXPECT_EQ(TempFolder::Read(path_), std::string(14, '\0'));
  EXPECT_TRUE(WipeFile(path_.c_str(), true));
  EXPECT_FALSE(TempFolder::Exists(path_));
  EXPECT_FALSE(WipeFile(path_.c_str(), false));
  EXPECT_FALSE(WipeFile(path_.c_str(), true));
}

TEST_F(FileCipherTest, TreeOperationsRecurseAndSkipFailures) {
  CreateDirectoryA(folder_.file("sub").c_str(), nullptr);
  CreateDirectoryA(folder_.file("sub\\deeper").c_str(), nullptr);
  const std::vector<std::pair<std::string, std::string>> files = {
      {folder_.file("top.txt"), "top level"},
      {folder_.file("sub\\mid.txt"), "middle"},
      {folder_.file("sub\\deeper\\low.txt"), "bottom of the tree"},
  };
  for (const auto& [path, content] : files) TempFolder::Write(path, content);
  TempFolder::Write(folder_.file("sub\\empty.txt"), "");

  ASSERT_TRUE(ZFileCipher::EncryptTree(folder_.path().c_str(), Key(1)));
  for (const auto& [path, content] : files)
    EXPECT_EQ(TempFolder::Read(path).size(), 8 + (content.size() + 7) / 8 * 8) << path;
  EXPECT_EQ(TempFolder::Read(folder_.file("sub\\empty.txt")), "");

  ASSERT_TRUE(ZFileCipher::RekeyTree((folder_.path() + "\\").c_str(), Key(1), Key(2)));
  ASSERT_TRUE(ZFileCipher::DecryptTree(folder_.path().c_str(), Key(2)));
  for (const auto& [path, content] : files) EXPECT_EQ(TempFolder::Read(path), content) << path;

  EXPECT_FALSE(ZFileCipher::EncryptTree(folder_.file("missing").c_str(), Key(1)));
}

}  // namespace
