#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/id_text_table.h"
#include "common/number_list.h"
#include "common/pair_table.h"

namespace {

template <typename Table>
void ParseExact(Table& table, const std::string& text) {
  // Exactly sized copy: no terminator to lean on, reads past it are caught.
  std::unique_ptr<char[]> exact(new char[text.size() + 1]);
  std::copy(text.begin(), text.end(), exact.get());
  table.parse(exact.get(), text.size());
}

TEST(IdTextTable, ReadsBlanksIdTabTextAndWritesTheCanonicalLine) {
  ZIdTextTable table;
  ParseExact(table, "  42\tHello\r\n");
  ASSERT_EQ(table.entries().size(), 1u);
  ASSERT_NE(table.find(42), nullptr);
  EXPECT_EQ(*table.find(42), "Hello");
  EXPECT_EQ(table.format(), "42\tHello\n");
}

TEST(IdTextTable, ParsesLinesByTheirRules) {
  const struct {
    const char* text;
    const char* formatted;
  } cases[] = {
      {"7\tfirst\n7\tsecond\n", "7\tfirst\n"},             // first occurrence wins
      {"9\tnine\n2\ttwo\n5\tfive", "2\ttwo\n5\tfive\n9\tnine\n"},  // ascending, last line unterminated
      {"3\ta\tb\n4\tc\n", "3\ta\n4\tc\n"},                 // text ends at a tab
      {"\r\n\n\n1\tx\r\r\n\n2\ty", "1\tx\n2\ty\n"},         // runs of line breaks
      {"1\t\n", "1\t\n"},                                  // empty text
      {"12\n13\tz\n", "13\tz\n"},                          // a line without a tab holds nothing
      {"abc\tzero\n", "0\tzero\n"},                        // no digits read as 0
      {"4294967295\tmax\n", "4294967295\tmax\n"},
      {"-1\tminus\n", "4294967295\tminus\n"},
      {"8\t  spaced  \n", "8\t  spaced  \n"},
  };
  for (const auto& c : cases) {
    ZIdTextTable table;
    ParseExact(table, c.text);
    EXPECT_EQ(table.format(), c.formatted) << c.text;
  }
}

TEST(IdTextTable, EmbeddedNulEndsTheTable) {
  ZIdTextTable table;
  ParseExact(table, std::string("1\tone\n\0" "2\ttwo\n", 14));
  EXPECT_EQ(table.format(), "1\tone\n");
}

TEST(IdTextTable, WritingCannotForgeEntries) {
  ZIdTextTable table;
  table.entries()[1] = "evil\n2\tforged";
  table.entries()[3] = std::string("a\0b", 3);
  table.entries()[4] = "tab\tbed";
  EXPECT_EQ(table.format(), "1\tevil\n3\ta\n4\ttab\n");
  ZIdTextTable back;
  ParseExact(back, table.format());
  EXPECT_EQ(back.entries().size(), 3u);
  EXPECT_EQ(back.find(2), nullptr);
}

TEST(PairTable, ParsesLinesByTheirRules) {
  const struct {
    std::string text;
    const char* formatted;
  } cases[] = {
      {"  5\t-3\r\n", "5\t-3\n"},
      {"5\t1\n5\t2\n", "5\t1\n"},
      {"10\t1\n-2\t7\n3\t0\n", "-2\t7\n3\t0\n10\t1\n"},
      {"1\t 2 \t99\n", "1\t2\n"},
      {"1\tx\n", "1\t0\n"},
      {"8\n9\t9\n", "9\t9\n"},
      {"2147483647\t-2147483648\n", "2147483647\t-2147483648\n"},
  };
  for (const auto& c : cases) {
    ZPairTable table;
    ParseExact(table, c.text);
    EXPECT_EQ(table.format(), c.formatted) << c.text;
  }
  ZPairTable table;
  ParseExact(table, "4\t40\n");
  EXPECT_EQ(table.value(4), 40);
  EXPECT_EQ(table.value(5, -1), -1);
}

TEST(NumberList, ReadsNumbersUntilGarbage) {
  const struct {
    std::string text;
    std::vector<int32_t> values;
  } cases[] = {
      {"", {}},
      {"1 2 3", {1, 2, 3}},
      {" \t\r\n -4\n+5\v\f6 ", {-4, 5, 6}},
      {"7 8x 9", {7, 8}},
      {"1 - 2", {1}},
      {"12-3", {12, -3}},
      {"abc 1", {}},
      {"99999999999 -99999999999", {INT32_MAX, INT32_MIN}},
      {std::string("1 2\0 3", 6), {1, 2}},
  };
  for (const auto& c : cases) {
    ZNumberList list;
    list.values() = {100};
    ParseExact(list, c.text);
    EXPECT_EQ(list.values(), c.values) << c.text;
  }
}

TEST(Tables, ParseReplacesThePreviousContent) {
  ZIdTextTable ids;
  ids.entries()[1] = "old";
  ParseExact(ids, "2\tnew\n");
  EXPECT_EQ(ids.format(), "2\tnew\n");
  ZPairTable pairs;
  pairs.entries()[1] = 1;
  ParseExact(pairs, "");
  EXPECT_TRUE(pairs.entries().empty());
}

}  // namespace
