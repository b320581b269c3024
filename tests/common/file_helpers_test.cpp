#include <gtest/gtest.h>
#include <windows.h>

#include "common/errors.h"
#include "common/file_exists.h"
#include "common/memory_file.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FileExists, FindsFilesFoldersAndWildcardMatches) {
  TempFolder folder;
  TempFolder::Write(folder.file("one.zta"), "x");
  EXPECT_TRUE(FileExists(folder.file("one.zta").c_str()));
  EXPECT_TRUE(FileExists(folder.file("*.zta").c_str()));
  EXPECT_TRUE(FileExists(folder.file("o?e.zta").c_str()));
  EXPECT_TRUE(FileExists(folder.path().c_str()));
  EXPECT_FALSE(FileExists(folder.file("*.zts").c_str()));
  EXPECT_FALSE(FileExists(folder.file("two.zta").c_str()));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(nullptr));
}

TEST(MemoryFile, ReadsAWholeFileFromItsPath) {
  TempFolder folder;
  const std::string path = folder.file("data");
  TempFolder::Write(path, std::string("name\0\x01\x02", 7));
  ZMemoryFile file(path.c_str());
  EXPECT_EQ(file.size(), 7u);
  std::string text;
  ASSERT_TRUE(file.readString(text));
  EXPECT_EQ(text, "name");
  uint8_t bytes[2];
  ASSERT_TRUE(file.read(bytes, 2));
  EXPECT_EQ(bytes[1], 2);
}

TEST(MemoryFile, MissingFileThrowsReadErrorWithCodeZero) {
  TempFolder folder;
  try {
    ZMemoryFile file(folder.file("missing").c_str());
    FAIL() << "no exception";
  } catch (const ZReadError& error) {
    EXPECT_EQ(error.code(), 0);
  }
}

TEST(MemoryFile, LockedFileThrowsReadErrorWithTheSystemCode) {
  TempFolder folder;
  const std::string path = folder.file("locked");
  TempFolder::Write(path, "x");
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  try {
    ZMemoryFile file(path.c_str());
    ADD_FAILURE() << "no exception";
  } catch (const ZReadError& error) {
    EXPECT_EQ(error.code(), HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION));
  }
  CloseHandle(holder);
}

}  // namespace
