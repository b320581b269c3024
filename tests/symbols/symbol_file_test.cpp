// .zts files on disk, plain and in a protected profile, and the library.
#include "gesture/symbol_file.h"

#include <gtest/gtest.h>

#include "common/default_key.h"
#include "common/errors.h"
#include "common/file_cipher.h"
#include "common/storage.h"
#include "gesture/symbol_library.h"
#include "tests/symbols/first_format_bytes.h"
#include "tests/symbols/symbol_samples.h"
#include "tests/support/temp_copy_test.h"
#include "tests/symbols/test_keys.h"

namespace {

class SymbolFileTest : public ZTempCopyTest {};

Symbol NamedSymbol(const std::string& name) {
  Symbol symbol = SampleSymbol();
  symbol.setName(name);
  symbol.setSortName(name);
  return symbol;
}

TEST_F(SymbolFileTest, PlainSaveAndLoadKeepEveryFieldAndThePath) {
  Symbol original = SampleSymbol();
  const std::string path = folder_.file("a.zts");
  SaveSymbolFile(original, path, DefaultKey());
  EXPECT_EQ(original.path(), path);
  EXPECT_EQ(StgIsStorageFile(std::wstring(path.begin(), path.end()).c_str()), S_OK);
  const Symbol loaded = LoadSymbolFile(path, DefaultKey());
  EXPECT_EQ(loaded, original);  // compares the path as well

  // Saving again goes to the remembered path.
  original.setName("renamed");
  SaveSymbolFile(original, DefaultKey());
  EXPECT_EQ(LoadSymbolFile(path, DefaultKey()).name(), "renamed");
}

TEST_F(SymbolFileTest, ProtectedProfileFilesAreEncryptedAndReadThroughAWipedCopy) {
  Symbol original = SampleSymbol();
  const std::string path = folder_.file("secret.zts");
  SaveSymbolFile(original, path, ProtectedProfileKey());
  EXPECT_NE(StgIsStorageFile(std::wstring(path.begin(), path.end()).c_str()), S_OK);
  EXPECT_THROW(LoadSymbolFile(path, DefaultKey()), ZReadError);

  const Symbol loaded = LoadSymbolFile(path, ProtectedProfileKey());
  EXPECT_EQ(loaded, original);
  EXPECT_EQ(loaded.path(), path);  // not the temporary copy's
  EXPECT_TRUE(leftovers().empty());

  EXPECT_THROW(LoadSymbolFile(path, ProtectedProfileKey(0x11)), ZReadError);  // another password
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(SymbolFileTest, EncryptedFileThatIsNoSymbolFailsAndLeavesNoCopy) {
  const std::string path = folder_.file("junk.zts");
  WriteWholeFile(path, Bytes(300, 0x41));
  EXPECT_THROW(LoadSymbolFile(path, DefaultKey()), ZReadError);
  ASSERT_TRUE(ZFileCipher::EncryptInPlace(path.c_str(), ProtectedProfileKey()));
  EXPECT_THROW(LoadSymbolFile(path, ProtectedProfileKey()), ZReadError);
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(SymbolFileTest, FirstFormatFileLoadsAsOneShapeWithOneStroke) {
  const std::string path = folder_.file("old.zts");
  WriteWholeFile(path, FirstFormatFile("Old circle", {10, 20, 30, 40, 0xFF}));
  const Symbol loaded = LoadSymbolFile(path, DefaultKey());
  EXPECT_EQ(loaded.name(), "Old circle");
  EXPECT_EQ(loaded.sortName(), "Old circle");
  EXPECT_EQ(loaded.identifier(), 1u);
  EXPECT_EQ(loaded.path(), path);
  ASSERT_EQ(loaded.shapeCount(), 1u);
  ASSERT_EQ(loaded.shapes()[0].strokeCount(), 1u);
  const Stroke expected = {{10, 20}, {30, 40}};
  EXPECT_EQ(loaded.shapes()[0].strokes()[0], expected);
  EXPECT_EQ(loaded.shapes()[0].icon().xorMask(), PatternColourMask());
  EXPECT_EQ(loaded.shapes()[0].icon().andMask(), PatternTransparencyMask());

  Bytes cut = FirstFormatFile("Old circle", {10, 20, 30});
  WriteWholeFile(path, cut);
  EXPECT_THROW(LoadSymbolFile(path, DefaultKey()), ZReadError);
}

TEST_F(SymbolFileTest, UserSymbolsAreTheReadableZtsFilesOfTheFolder) {
  Symbol one = NamedSymbol("one"), two = NamedSymbol("two");
  SaveSymbolFile(one, folder_.file("one.zts"), ProtectedProfileKey());
  SaveSymbolFile(two, folder_.file("two.zts"), ProtectedProfileKey());
  WriteWholeFile(folder_.file("broken.zts"), Bytes(40, 0x00));
  Symbol plain = NamedSymbol("plain");
  SaveSymbolFile(plain, folder_.file("plain.zts"), DefaultKey());  // unreadable with the profile key
  Symbol other = NamedSymbol("other");
  SaveSymbolFile(other, folder_.file("other.txt"), ProtectedProfileKey());

  ZSymbolLibrary library;
  library.loadUserSymbols(folder_.path(), ProtectedProfileKey());
  std::vector<std::string> names;
  for (const Symbol& s : library.userSymbols()) names.push_back(s.name());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"one", "two"}));
  EXPECT_TRUE(leftovers().empty());

  library.loadUserSymbols(folder_.file("nowhere"), ProtectedProfileKey());
  EXPECT_TRUE(library.userSymbols().empty());
}

TEST_F(SymbolFileTest, CategoriesFollowTheOrderFileAndTakeTheirNamesFromTheTable) {
  const std::string library = folder_.slashed() + "lib\\";
  CreateDirectoryA(library.c_str(), nullptr);
  for (const char* sub : {"01", "02", "03"}) CreateDirectoryA((library + sub).c_str(), nullptr);
  Symbol a = NamedSymbol("a"), b = NamedSymbol("b"), c = NamedSymbol("c");
  SaveSymbolFile(a, library + "01\\a.zts", DefaultKey());
  SaveSymbolFile(b, library + "03\\b.zts", DefaultKey());
  SaveSymbolFile(c, library + "03\\c.zts", DefaultKey());
  WriteWholeFile(library + "rdr01", Bytes{'3', ' ', '1', '\r', '\n', '2', '\n'});
  const std::string table = "1\tArrows\n3\tLetters\n";
  WriteWholeFile(library + "cat01", Bytes(table.begin(), table.end()));

  ZSymbolLibrary symbols;
  symbols.loadCategories(library);
  const auto& categories = symbols.categories();
  ASSERT_EQ(categories.size(), 3u);
  EXPECT_EQ(categories[0].name, "Letters");
  EXPECT_EQ(categories[0].symbols.size(), 2u);
  EXPECT_EQ(categories[1].name, "Arrows");
  ASSERT_EQ(categories[1].symbols.size(), 1u);
  EXPECT_EQ(categories[1].symbols[0].path(), library + "01\\a.zts");
  EXPECT_EQ(categories[2].name, "");  // not in the table
  EXPECT_TRUE(categories[2].symbols.empty());

  // Reloading replaces; a library folder without index files has no categories.
  symbols.loadCategories(folder_.slashed());
  EXPECT_TRUE(symbols.categories().empty());
}

}  // namespace
