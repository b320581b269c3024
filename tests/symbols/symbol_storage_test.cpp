// Symbols in real compound files: round trips and hand-built layouts.
#include "gesture/symbol_storage.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/storage.h"
#include "tests/symbols/symbol_samples.h"
#include "tests/support/temp_folder.h"

namespace {

class SymbolStorageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
  void TearDown() override { CoUninitialize(); }

  std::string path() const { return folder_.file("symbol.zts"); }

  // A layout written by hand: Name "N" and whatever `fill` adds.
  template <typename Fill>
  void buildFile(Fill fill) {
    StoragePtr root = CreateStorageFile(path());
    fill(root.Get());
  }

  Symbol readBack(bool checkVersion) {
    StoragePtr root = OpenStorageFile(path());
    Symbol symbol;
    ReadSymbol(root.Get(), symbol, checkVersion);
    return symbol;
  }

  static void AddShape(IStorage* parent, int index, const std::vector<int>& strokeIndices,
                       size_t pointBytes = 8) {
    StoragePtr shape = CreateSubStorage(parent, NumberedName(L"Shape", index).c_str());
    StoragePtr icon = CreateSubStorage(shape.Get(), L"Icon");
    const std::vector<uint8_t> xorMask(512, static_cast<uint8_t>(index)), andMask(128, 0x0F);
    WriteBlock(icon.Get(), L"XOR Mask", xorMask.data(), xorMask.size());
    WriteBlock(icon.Get(), L"AND Mask", andMask.data(), andMask.size());
    for (int j : strokeIndices) {
      StoragePtr stroke = CreateSubStorage(shape.Get(), NumberedName(L"Stroke", j).c_str());
      std::vector<uint8_t> points(pointBytes);
      for (size_t b = 0; b < points.size(); ++b) points[b] = static_cast<uint8_t>(b + j);
      WriteBlock(stroke.Get(), L"Points", points.data(), points.size());
    }
  }

  TempFolder folder_;
};

TEST_F(SymbolStorageTest, SymbolWrittenAndReadBackIsEqualInEveryField) {
  const Symbol original = SampleSymbol();
  {
    StoragePtr root = CreateStorageFile(path());
    WriteSymbol(root.Get(), original, true);
  }
  const Symbol read = readBack(true);
  EXPECT_EQ(read, original);  // shapes, strokes, points, masks, texts, identifier
  ASSERT_EQ(read.shapeCount(), 2u);
  EXPECT_EQ(read.shapes()[0].strokeCount(), 3u);
  EXPECT_TRUE(read.shapes()[0].strokes()[1].empty());
  EXPECT_NE(read.shapes()[0].icon().handle(), nullptr);
  StoragePtr root = OpenStorageFile(path());
  EXPECT_EQ(ReadLiteral(root.Get(), L"File Version"), "2.0");
  EXPECT_EQ(ReadLiteral(root.Get(), L"ID"), "4000000000");
  StoragePtr shape = OpenRequiredSubStorage(root.Get(), L"Shape 00");
  StoragePtr stroke = OpenRequiredSubStorage(shape.Get(), L"Stroke 00");
  const std::vector<uint8_t> points = ReadAllBytes(stroke.Get(), L"Points", kLongestPointsValue);
  const std::vector<uint8_t> expectedStart = {3, 0, 0, 0, 4, 0, 0, 0};
  ASSERT_EQ(points.size(), 32u);
  EXPECT_EQ(std::vector<uint8_t>(points.begin(), points.begin() + 8), expectedStart);
}

TEST_F(SymbolStorageTest, NestedFormHasNoVersionStreamAndIsReadWithoutTheCheck) {
  const Symbol original = SampleSymbol();
  {
    StoragePtr root = CreateStorageFile(path());
    StoragePtr nested = CreateSubStorage(root.Get(), L"Symbol");
    WriteSymbol(nested.Get(), original, false);
  }
  StoragePtr root = OpenStorageFile(path());
  StoragePtr nested = OpenRequiredSubStorage(root.Get(), L"Symbol");
  EXPECT_THROW(ReadLiteral(nested.Get(), L"File Version"), ZReadError);
  Symbol read;
  ReadSymbol(nested.Get(), read, false);
  EXPECT_EQ(read, original);
  Symbol checked;
  EXPECT_THROW(ReadSymbol(nested.Get(), checked, true), ZReadError);
}

TEST_F(SymbolStorageTest, MissingSortNameAndIdFallBackToNameAndOne) {
  buildFile([](IStorage* root) {
    WriteVersion(root, L"File Version", "2.0");
    WriteText(root, L"Name", "Only a name");
  });
  const Symbol read = readBack(true);
  EXPECT_EQ(read.name(), "Only a name");
  EXPECT_EQ(read.sortName(), "Only a name");
  EXPECT_EQ(read.identifier(), 1u);
  EXPECT_EQ(read.shapeCount(), 0u);
}

TEST_F(SymbolStorageTest, OnlyVersionsWithIntegerPartTwoAreRead) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"2.0", true}, {"2.5", true}, {"2", true}, {"1.0", false}, {"3.0", false}, {"1.99", false}, {"", false},
      {"-2.5", false}, {"1e300", false}};
  for (const auto& [version, accepted] : cases) {
    buildFile([&](IStorage* root) {
      WriteVersion(root, L"File Version", version);
      WriteText(root, L"Name", "N");
    });
    if (accepted) {
      EXPECT_NO_THROW(readBack(true)) << version;
    } else {
      EXPECT_THROW(readBack(true), ZReadError) << version;
      EXPECT_NO_THROW(readBack(false)) << version;  // nested symbols carry no version
    }
  }
}

TEST_F(SymbolStorageTest, NumberedStoragesEndAtTheFirstGap) {
  buildFile([](IStorage* root) {
    WriteText(root, L"Name", "N");
    AddShape(root, 0, {0, 1});
    AddShape(root, 1, {1, 2});  // no "Stroke 00": a shape without strokes
    AddShape(root, 3, {0});
  });
  const Symbol read = readBack(false);
  ASSERT_EQ(read.shapeCount(), 2u);
  EXPECT_EQ(read.shapes()[0].strokeCount(), 2u);
  EXPECT_EQ(read.shapes()[1].strokeCount(), 0u);
  EXPECT_EQ(read.shapes()[1].icon().xorMask()[511], 1);
  EXPECT_EQ(read.shapes()[1].icon().andMask()[0], 0x0F);
}

TEST_F(SymbolStorageTest, PointsStreamGivesWholePointsOnly) {
  buildFile([](IStorage* root) {
    WriteText(root, L"Name", "N");
    AddShape(root, 0, {0}, 20);
  });
  const Symbol read = readBack(false);
  ASSERT_EQ(read.shapes()[0].strokeCount(), 1u);
  const Stroke& stroke = read.shapes()[0].strokes()[0];
  ASSERT_EQ(stroke.size(), 2u);
  EXPECT_EQ(stroke[0], (Point{0x03020100, 0x07060504}));
  EXPECT_EQ(stroke[1], (Point{0x0B0A0908, 0x0F0E0D0C}));
}

TEST_F(SymbolStorageTest, DamagedShapesAndMissingNameAreReadErrorsThatLeaveTheTargetAlone) {
  using Fill = void (*)(IStorage*);
  const std::vector<std::pair<const char*, Fill>> cases = {
      {"no name", [](IStorage* root) { AddShape(root, 0, {0}); }},
      {"shape without icon",
       [](IStorage* root) {
         WriteText(root, L"Name", "N");
         CreateSubStorage(root, L"Shape 00");
       }},
      {"short colour mask",
       [](IStorage* root) {
         WriteText(root, L"Name", "N");
         StoragePtr shape = CreateSubStorage(root, L"Shape 00");
         StoragePtr icon = CreateSubStorage(shape.Get(), L"Icon");
         const std::vector<uint8_t> shortMask(511), andMask(128);
         WriteBlock(icon.Get(), L"XOR Mask", shortMask.data(), shortMask.size());
         WriteBlock(icon.Get(), L"AND Mask", andMask.data(), andMask.size());
       }},
      {"stroke without points",
       [](IStorage* root) {
         WriteText(root, L"Name", "N");
         StoragePtr shape = CreateSubStorage(root, L"Shape 00");
         StoragePtr icon = CreateSubStorage(shape.Get(), L"Icon");
         const std::vector<uint8_t> xorMask(512), andMask(128);
         WriteBlock(icon.Get(), L"XOR Mask", xorMask.data(), xorMask.size());
         WriteBlock(icon.Get(), L"AND Mask", andMask.data(), andMask.size());
         CreateSubStorage(shape.Get(), L"Stroke 00");
       }},
  };
  for (const auto& [label, fill] : cases) {
    buildFile(fill);
    StoragePtr root = OpenStorageFile(path());
    Symbol target = SampleSymbol();
    EXPECT_THROW(ReadSymbol(root.Get(), target, false), ZReadError) << label;
    EXPECT_EQ(target, SampleSymbol()) << label;
  }
}

}  // namespace
