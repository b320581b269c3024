#include "actions/date_time_text.h"

#include <gtest/gtest.h>

namespace {

TEST(DateText, EveryFormatOfTheSeventhOfMarch2001) {
  const char* expected[kDateTextFormatCount] = {
      "03/07/01",   "03.07.01",   "03-07-01",   "03/07/2001", "03.07.2001", "03-07-2001",
      "07/03/01",   "07.03.01",   "07-03-01",   "07/03/2001", "07.03.2001", "07-03-2001",
  };
  for (int format = 0; format < kDateTextFormatCount; ++format) {
    std::string text;
    ASSERT_TRUE(FormatDateText(format, 7, 3, 2001, text)) << format;
    EXPECT_EQ(expected[format], text) << format;
  }
}

TEST(DateText, ShortYearIsTheLastTwoDigitsOfTheFullYear) {
  std::string text;
  ASSERT_TRUE(FormatDateText(0, 31, 12, 1999, text));
  EXPECT_EQ("12/31/99", text);
  ASSERT_TRUE(FormatDateText(6, 1, 1, 2100, text));
  EXPECT_EQ("01/01/00", text);
  ASSERT_TRUE(FormatDateText(3, 1, 1, 987, text));
  EXPECT_EQ("01/01/0987", text);
}

TEST(DateText, FormatOutsideTheTableLeavesTheTextAlone) {
  for (int format : {-1, 12, 1000}) {
    std::string text = "unchanged";
    EXPECT_FALSE(FormatDateText(format, 7, 3, 2001, text)) << format;
    EXPECT_EQ("unchanged", text);
  }
}

TEST(TimeText, EveryFormatAtFivePastTwoInTheAfternoon) {
  const char* expected[kTimeTextFormatCount] = {
      "14:05",    "14:05",    "14:05:09",    "14:05:09",    "14.05",    "14.05",
      "14.05.09", "14.05.09", "02:05 PM",    "2:05 PM",     "02:05:09 PM", "2:05:09 PM",
      "02.05 PM", "2.05 PM",  "02.05.09 PM", "2.05.09 PM",
  };
  for (int format = 0; format < kTimeTextFormatCount; ++format) {
    std::string text;
    ASSERT_TRUE(FormatTimeText(format, 14, 5, 9, text)) << format;
    EXPECT_EQ(expected[format], text) << format;
  }
}

TEST(TimeText, TwelveHourClockAroundMidnightAndNoon) {
  struct Case {
    int format, hour, minute;
    const char* expected;
  };
  const Case cases[] = {
      {9, 0, 30, "12:30 AM"}, {8, 12, 5, "12:05 PM"},  {9, 11, 59, "11:59 AM"},
      {9, 23, 0, "11:00 PM"}, {1, 0, 30, "0:30"},      {0, 9, 7, "09:07"},
  };
  for (const Case& c : cases) {
    std::string text;
    ASSERT_TRUE(FormatTimeText(c.format, c.hour, c.minute, 0, text));
    EXPECT_EQ(c.expected, text) << c.format << " " << c.hour << ":" << c.minute;
  }
}

TEST(TimeText, FormatOutsideTheTableLeavesTheTextAlone) {
  for (int format : {-1, 16}) {
    std::string text = "unchanged";
    EXPECT_FALSE(FormatTimeText(format, 14, 5, 9, text)) << format;
    EXPECT_EQ("unchanged", text);
  }
}

}  // namespace
