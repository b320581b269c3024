// The texts that the "Insert date text" and "Insert time text" functions put
// into the foreground application. Formatting is kept apart from the clock so
// that every format can be checked for any date.
#pragma once
#include <string>

constexpr int kDateTextFormatCount = 12;
constexpr int kTimeTextFormatCount = 16;

// Day 1..31, month 1..12, year as on the calendar (four digits, or its last two
// digits for the short forms). False, and `text` untouched, for a format
// outside 0..11.
bool FormatDateText(int format, int day, int month, int year, std::string& text);

// Hour 0..23, minute and second 0..59. Formats 8..15 use the 12-hour clock
// with "AM"/"PM". False, and `text` untouched, for a format outside 0..15.
bool FormatTimeText(int format, int hour, int minute, int second, std::string& text);
