#include <gtest/gtest.h>

#include <string>

#include "common/path_text.h"

namespace {

TEST(AppendBackslash, AddsOneOnlyWhenMissing) {
  struct Case {
    std::string path, expected;
  } cases[] = {
      {"C:\\Data", "C:\\Data\\"}, {"C:\\Data\\", "C:\\Data\\"}, {"C:", "C:\\"}, {"", ""},
      {"a/b", "a/b\\"},
  };
  for (const Case& c : cases) {
    std::string path = c.path;
    AppendBackslash(path);
    EXPECT_EQ(path, c.expected) << c.path;
  }
}

TEST(SplitPath, SplitsLikeTheRuntimeSplitter) {
  struct Case {
    std::string path, drive, directory, name, extension;
  } cases[] = {
      {"C:\\Program Files\\Zavotra\\Zavotra.exe", "C:", "\\Program Files\\Zavotra\\", "Zavotra", ".exe"},
      {"C:Zavotra.exe", "C:", "", "Zavotra", ".exe"},
      {"\\\\server\\share\\file.txt", "", "\\\\server\\share\\", "file", ".txt"},
      {"dir/sub/archive.tar.gz", "", "dir/sub/", "archive.tar", ".gz"},
      {"C:\\folder.d\\README", "C:", "\\folder.d\\", "README", ""},  // a dot in the folder is no extension
      {"C:\\x\\.profile", "C:", "\\x\\", "", ".profile"},
      {"name.", "", "", "name", "."},
      {"C:\\only\\", "C:", "\\only\\", "", ""},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    PathParts parts = SplitPath(c.path);
    EXPECT_EQ(parts.drive, c.drive) << c.path;
    EXPECT_EQ(parts.directory, c.directory) << c.path;
    EXPECT_EQ(parts.name, c.name) << c.path;
    EXPECT_EQ(parts.extension, c.extension) << c.path;
  }
}

TEST(SplitPath, CutsEachPartToTheRuntimeBufferSize) {
  std::string longFolder(300, 'd');
  std::string longName(300, 'n');
  std::string longExtension(300, 'e');
  PathParts parts = SplitPath("C:\\" + longFolder + "\\" + longName + "." + longExtension);
  EXPECT_EQ(parts.drive, "C:");
  EXPECT_EQ(parts.directory, ("\\" + longFolder + "\\").substr(0, 255));
  EXPECT_EQ(parts.name, longName.substr(0, 255));
  EXPECT_EQ(parts.extension, ("." + longExtension).substr(0, 255));
}

}  // namespace
