// Code page of a character set index 1..6 (Western, system, Traditional
// Chinese, Simplified Chinese, Japanese, UTF-8). 0, also for an index
// outside, stands for the system's ANSI code page.
#pragma once

unsigned CodePageOfCharacterSet(int index);
