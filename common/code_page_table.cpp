#include "common/code_page_table.h"

unsigned CodePageOfCharacterSet(int index) {
  static constexpr unsigned kCodePages[] = {1252, 0, 950, 20936, 932, 65001};
  constexpr int count = sizeof kCodePages / sizeof kCodePages[0];
  return index >= 1 && index <= count ? kCodePages[index - 1] : 0;
}
