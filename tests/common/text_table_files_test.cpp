#include <gtest/gtest.h>
#include <windows.h>

#include "common/id_text_table.h"
#include "common/number_list.h"
#include "common/pair_table.h"
#include "tests/support/temp_folder.h"

namespace {

ZKeyBlock Key(uint8_t seed) {
  uint8_t bytes[ZKeyBlock::kSize];
  for (size_t i = 0; i < ZKeyBlock::kSize; ++i) bytes[i] = static_cast<uint8_t>(seed + 3 * i);
  return ZKeyBlock(bytes, 16);
}

// Temporary copies made by the encrypted readers, by their ".z_" prefix.
int TemporaryCopies() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((std::string(folder) + ".z_*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(search, &entry));
  FindClose(search);
  return count;
}

TEST(IdTextTableFile, ReadsAndWritesTheFileForm) {
  TempFolder folder;
  const std::string path = folder.file("names");
  TempFolder::Write(path, "  42\tHello\r\n7\tSeven\r\n42\tlater\r\n");
  ZIdTextTable table;
  ASSERT_TRUE(table.read(path.c_str()));
  EXPECT_EQ(*table.find(42), "Hello");
  ASSERT_TRUE(table.write(path.c_str()));
  EXPECT_EQ(TempFolder::Read(path), "7\tSeven\n42\tHello\n");
}

TEST(IdTextTableFile, MissingFileFailsWithTheTableCleared) {
  TempFolder folder;
  ZIdTextTable table;
  table.entries()[1] = "old";
  EXPECT_FALSE(table.read(folder.file("missing").c_str()));
  EXPECT_TRUE(table.entries().empty());
  EXPECT_FALSE(table.readEncrypted(folder.file("missing").c_str(), Key(1)));
}

TEST(IdTextTableFile, EncryptedRoundTripLeavesNoCopyBehind) {
  TempFolder folder;
  const std::string path = folder.file("ids");
  ZIdTextTable table;
  table.entries()[3] = "three";
  table.entries()[1] = "one";
  const int copiesBefore = TemporaryCopies();
  ASSERT_TRUE(table.writeEncrypted(path.c_str(), Key(1)));
  EXPECT_EQ(TempFolder::Read(path).size(), 8u + 16u);  // "1\tone\n3\tthree\n" is 14 bytes
  ZIdTextTable back;
  ASSERT_TRUE(back.readEncrypted(path.c_str(), Key(1)));
  EXPECT_EQ(back.entries(), table.entries());
  EXPECT_EQ(TemporaryCopies(), copiesBefore);

  // A wrong key reads garbage but still wipes its copy.
  ZIdTextTable wrong;
  wrong.readEncrypted(path.c_str(), Key(2));
  EXPECT_NE(wrong.entries(), table.entries());
  EXPECT_EQ(TemporaryCopies(), copiesBefore);
}

TEST(IdTextTableFile, EmptyTableRoundTripsEncrypted) {
  TempFolder folder;
  const std::string path = folder.file("empty");
  ZIdTextTable table;
  ASSERT_TRUE(table.writeEncrypted(path.c_str(), Key(1)));
  EXPECT_EQ(TempFolder::Read(path), "");
  ZIdTextTable back;
  back.entries()[1] = "old";
  ASSERT_TRUE(back.readEncrypted(path.c_str(), Key(1)));
  EXPECT_TRUE(back.entries().empty());
}

TEST(PairTableFile, PlainAndEncryptedRoundTrips) {
  TempFolder folder;
  const std::string path = folder.file("counters");
  ZPairTable table;
  table.entries()[10] = -1;
  table.entries()[-5] = 7;
  ASSERT_TRUE(table.write(path.c_str()));
  EXPECT_EQ(TempFolder::Read(path), "-5\t7\n10\t-1\n");
  ZPairTable back;
  ASSERT_TRUE(back.read(path.c_str()));
  EXPECT_EQ(back.entries(), table.entries());

  ASSERT_TRUE(table.writeEncrypted(path.c_str(), Key(4)));
  EXPECT_NE(TempFolder::Read(path), "-5\t7\n10\t-1\n");
  back.entries().clear();
  ASSERT_TRUE(back.readEncrypted(path.c_str(), Key(4)));
  EXPECT_EQ(back.entries(), table.entries());
}

TEST(PairTableFile, WriteFailsWhenTheFileCannotBeCreated) {
  TempFolder folder;
  ZPairTable table;
  table.entries()[1] = 2;
  EXPECT_FALSE(table.write(folder.file("no\\such\\folder").c_str()));
  EXPECT_FALSE(table.writeEncrypted(folder.file("no\\such\\folder").c_str(), Key(1)));
}

TEST(NumberListFile, FormatsThePathAndReadsTheNumbers) {
  TempFolder folder;
  TempFolder::Write(folder.file("list7.txt"), " 1\r\n-2\t+3 junk 4");
  ZNumberList list;
  ASSERT_TRUE(list.read("%s\\list%d.txt", folder.path().c_str(), 7));
  EXPECT_EQ(list.values(), (std::vector<int32_t>{1, -2, 3}));
  EXPECT_FALSE(list.read("%s\\list%d.txt", folder.path().c_str(), 8));
  EXPECT_TRUE(list.values().empty());
  // A path longer than 260 characters is refused rather than cut.
  EXPECT_FALSE(list.read("%s\\%s", folder.path().c_str(), std::string(300, 'a').c_str()));
}

}  // namespace
