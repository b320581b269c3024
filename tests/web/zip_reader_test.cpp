// The zip reader on disk under Wine, over the archives Info-ZIP zip made at
// test time (the web_zips fixture, reached through the Z: drive): files
// byte-exact, folders on the way, times, refused entries, packages, archives
// from memory and the progress bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "common/zip_reader.h"
#include "tests/support/temp_folder.h"

namespace {

std::string Archive(const std::string& name) { return std::string(ZAVOTRA_TEST_ZIPS) + name; }
std::string Source(const std::string& name) { return TempFolder::Read(Archive("src\\" + name)); }

std::string Sequence(int last) {
  std::string text;
  for (int i = 1; i <= last; ++i) text += std::to_string(i) + "\n";
  return text;
}

// A copy in the test's own folder: the reader opens its archive for writing.
std::string CopyOf(const TempFolder& folder, const std::string& name) {
  const std::string copy = folder.file(name);
  EXPECT_TRUE(CopyFileA(Archive(name).c_str(), copy.c_str(), FALSE)) << name;
  return copy;
}

bool ExtractInto(const std::string& archive, const std::string& destination, HWND progress = nullptr) {
  ZZipReader reader;
  if (!reader.open(archive)) return false;
  const bool ok = reader.extractAll(destination, progress);
  reader.close();
  return ok;
}

int64_t LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (int64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

int64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (int64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

std::string CurrentFolder() {
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  return folder;
}

}  // namespace

TEST(ZipReader, InfoZipArchivesExtractToDiskByteExact) {
  const std::string hello = Source("hello.txt"), big = Source("big.txt"), binary = Source("binary.bin");
  ASSERT_GT(big.size(), 1000000u) << "no archives: the web_zips fixture did not run";
  const struct {
    const char* archive;
    std::vector<std::pair<const char*, const std::string*>> files;
  } cases[] = {
      {"stored.zip", {{"hello.txt", &hello}, {"binary.bin", &binary}}},
      {"deflated.zip", {{"hello.txt", &hello}, {"big.txt", &big}, {"binary.bin", &binary}}},
      {"descriptors.zip", {{"big.txt", &big}, {"hello.txt", &hello}, {"binary.bin", &binary}}},
  };
  const std::string before = CurrentFolder();
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string destination = folder.file("out");
    ASSERT_TRUE(ExtractInto(CopyOf(folder, c.archive), destination)) << c.archive;
    EXPECT_EQ(folder.fileNames(destination).size(), c.files.size()) << c.archive;
    for (const auto& file : c.files)
      EXPECT_TRUE(TempFolder::Read(destination + "\\" + file.first) == *file.second) << c.archive << " " << file.first;
  }
  for (const char* archive : {"stdin.zip", "stdin64.zip"}) {
    TempFolder folder;
    ASSERT_TRUE(ExtractInto(CopyOf(folder, archive), folder.file("out"))) << archive;
    EXPECT_TRUE(TempFolder::Read(folder.file("out\\-")) == Sequence(50000)) << archive;
  }
  // The process's current folder is never changed.
  EXPECT_EQ(CurrentFolder(), before);
}

TEST(ZipReader, AnEntryInFoldersCreatesThem) {
  TempFolder folder;
  const std::string destination = folder.file("out");
  ASSERT_TRUE(ExtractInto(CopyOf(folder, "folders.zip"), destination));
  EXPECT_EQ(TempFolder::Read(destination + "\\a\\b\\c.txt"), "deep\n");
  ASSERT_TRUE(ExtractInto(CopyOf(folder, "folder_entry.zip"), destination));
  EXPECT_TRUE(GetFileAttributesA((destination + "\\d").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(folder.fileNames(destination + "\\d").empty());
}

TEST(ZipReader, MethodTwelveFailsAndTheFilesBeforeItStay) {
  TempFolder folder;
  const std::string destination = folder.file("out");
  EXPECT_FALSE(ExtractInto(CopyOf(folder, "method12.zip"), destination));
  EXPECT_EQ(folder.fileNames(destination), std::vector<std::string>{"first.txt"});
  EXPECT_EQ(TempFolder::Read(destination + "\\first.txt"), "first\n");
}

TEST(ZipReader, AnEntryFromTheFutureGetsTheCurrentTime) {
  TempFolder folder;
  const int64_t before = Now();
  ASSERT_TRUE(ExtractInto(CopyOf(folder, "future.zip"), folder.file("out")));
  const int64_t written = LastWrite(folder.file("out\\future.txt"));
  EXPECT_GE(written, before - 20000000);  // the file system's time steps
  EXPECT_LE(written, Now());
}

TEST(ZipReader, TheEntryTimeIsLocalTimeMadeUtc) {
  TempFolder folder;
  ASSERT_TRUE(ExtractInto(CopyOf(folder, "dated.zip"), folder.file("out")));
  SYSTEMTIME local{2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME localTime, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
  EXPECT_EQ(LastWrite(folder.file("out\\dated.txt")), (int64_t(utc.dwHighDateTime) << 32) | utc.dwLowDateTime);
}

TEST(ZipReader, EntriesReachingOutsideAreRefused) {
  TempFolder folder;
  const std::string destination = folder.file("deep\\out");
  CreateDirectoryA(folder.file("deep").c_str(), nullptr);
  EXPECT_FALSE(ExtractInto(CopyOf(folder, "dotdot.zip"), destination));
  EXPECT_EQ(folder.fileNames(destination), std::vector<std::string>{"ok.txt"});
  EXPECT_FALSE(FileExists(folder.file("deep\\evil.txt")));

  EXPECT_FALSE(ExtractInto(CopyOf(folder, "absolute.zip"), folder.file("abs_out")));
  EXPECT_EQ(folder.fileNames(folder.file("abs_out")), std::vector<std::string>{"first.txt"});
  EXPECT_FALSE(FileExists("C:\\abs\\evil.txt"));
  EXPECT_FALSE(FileExists("Z:\\abs\\evil.txt"));
}

TEST(ZipReader, APackageLeavesOnlyTheInnerArchivesContents) {
  TempFolder folder;
  const std::string destination = folder.file("dls");
  CreateDirectoryA(destination.c_str(), nullptr);
  const std::string package = CopyOf(folder, "package.zip");
  ASSERT_TRUE(ExtractZipPackage(package, destination, nullptr));
  EXPECT_EQ(folder.fileNames(destination), (std::vector<std::string>{"wps000001.zta", "wps000002.zta"}));
  EXPECT_EQ(TempFolder::Read(destination + "\\wps000002.zta"), "plug-in two\n");
  EXPECT_FALSE(FileExists(folder.file("package")));  // the work folder beside it

  const std::string empty = CopyOf(folder, "no_inner.zip");
  EXPECT_TRUE(ExtractZipPackage(empty, folder.file("dls2"), nullptr));
  EXPECT_TRUE(folder.fileNames(folder.file("dls2")).empty());
  EXPECT_FALSE(FileExists(folder.file("no_inner")));
}

TEST(ZipReader, AMissingArchiveIsCreatedEmptyAndExtractsToNothing) {
  TempFolder folder;
  const std::string missing = folder.file("missing.zip");
  EXPECT_TRUE(ExtractInto(missing, folder.file("out")));
  EXPECT_EQ(TempFolder::Read(missing), "");
  EXPECT_TRUE(folder.fileNames(folder.file("out")).empty());
  EXPECT_TRUE(ExtractInto(CopyOf(folder, "empty.zip"), folder.file("out")));
}

TEST(ZipReader, FromMemoryThroughATemporaryFileThatGoes) {
  TempFolder temp, folder;
  ScopedTempRedirect redirect(temp.path());
  const std::string bytes = TempFolder::Read(Archive("deflated.zip"));
  ASSERT_TRUE(ExtractZipFromMemory(bytes.data(), bytes.size(), folder.file("out"), nullptr));
  EXPECT_TRUE(TempFolder::Read(folder.file("out\\big.txt")) == Source("big.txt"));
  EXPECT_TRUE(temp.fileNames().empty());
  EXPECT_FALSE(ExtractZipFromMemory(bytes.data(), 0, folder.file("none"), nullptr));
  // A cut archive fails; its temporary file goes all the same.
  EXPECT_FALSE(ExtractZipFromMemory(bytes.data(), bytes.size() / 2, folder.file("cut"), nullptr));
  EXPECT_TRUE(temp.fileNames().empty());
}

TEST(ZipReader, ProgressGoesToTheBar) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(bar, nullptr);
  TempFolder folder;
  const std::string stored = CopyOf(folder, "stored.zip");
  ASSERT_TRUE(ExtractInto(stored, folder.file("out"), bar));
  const LRESULT high = SendMessageA(bar, PBM_GETRANGE, FALSE, 0);
  EXPECT_EQ(static_cast<size_t>(high), TempFolder::Read(stored).size());
  // Stored entries are sent: the bar is there at once.
  EXPECT_EQ(static_cast<size_t>(SendMessageA(bar, PBM_GETPOS, 0, 0)),
            Source("hello.txt").size() + Source("binary.bin").size());

  const std::string deflated = CopyOf(folder, "deflated.zip");
  ASSERT_TRUE(ExtractInto(deflated, folder.file("out2"), bar));
  // Deflated ones are posted: they arrive with the messages.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  EXPECT_EQ(static_cast<size_t>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)), TempFolder::Read(deflated).size());
  EXPECT_GT(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
  DestroyWindow(bar);
}
