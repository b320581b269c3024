// The key table: codes by index and names from the string resources.
#include <gtest/gtest.h>

#include <set>

#include "actions/key_table.h"

namespace {

TEST(KeyTable, CodesAndNamesOfSampleEntries) {
  struct Case {
    int index;
    BYTE virtualKey;
    UINT nameId;
    const char* name;
  } cases[] = {
      {0, 0x00, 407, " "},           {1, 0x11, 300, "Ctrl"},       {6, 0x09, 305, "Tab"},
      {7, 0x0C, 310, "Clear"},       {17, 0x23, 320, "End"},       {23, 0x2B, 326, "Execute"},
      {24, 0x2C, 408, "Print Screen"}, {26, 0x2F, 328, "Help"},    {27, 0x90, 405, "Num. Lock"},
      {29, 0x30, 329, "0"},          {39, 0x41, 339, "A"},         {64, 0x5A, 364, "Z"},
      {65, 0x60, 365, "0"},          {74, 0x69, 374, "9"},         {75, 0x5B, 413, "Left Win Key"},
      {77, 0x5D, 415, "App Key"},    {78, 0x6A, 375, "*"},         {82, 0x6E, 379, "Decimal"},
      {83, 0x6F, 380, "/"},          {84, 0x70, 381, "F1"},        {107, 0x87, 404, "F24"},
      {108, 0xF6, 416, "Attn"},      {111, 0xF9, 419, "Erase EOF"}, {114, 0xFD, 422, "PA1"},
      {115, 0xFE, 424, "Clear (OEM)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(KeyTable::virtualKey(c.index), c.virtualKey);
    EXPECT_EQ(KeyTable::nameId(c.index), c.nameId);
    EXPECT_EQ(KeyTable::name(c.index), c.name);
  }
}

TEST(KeyTable, EveryEntryHasADistinctNameResourceAndDistinctCode) {
  std::set<UINT> ids;
  std::set<BYTE> codes;
  for (int index = 0; index < KeyTable::kSize; ++index) {
    SCOPED_TRACE(index);
    EXPECT_FALSE(KeyTable::name(index).empty());
    ids.insert(KeyTable::nameId(index));
    codes.insert(KeyTable::virtualKey(index));
  }
  EXPECT_EQ(ids.size(), 116u);
  EXPECT_EQ(codes.size(), 116u);
}

TEST(KeyTable, IndicesOutsideTheTablePressNothing) {
  for (int index : {-1, 116, 255}) {
    EXPECT_EQ(KeyTable::virtualKey(index), 0);
    EXPECT_EQ(KeyTable::name(index), "");
  }
}

}  // namespace
