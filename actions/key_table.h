// The fixed table of keys that hotkey commands and their editor share. A
// hotkey command stores indices into this table, so its order is part of the
// plug-in file format and must never change; only the display names are
// resources and may be translated.
#pragma once
#include <windows.h>

#include <string>

class KeyTable {
 public:
  static constexpr int kSize = 116;
  // Index 0 is "no key" and ends a combination.
  static constexpr int kNoKey = 0;

  static bool isValidIndex(int index) { return index >= 0 && index < kSize; }
  // The virtual-key code of an entry; 0 for "no key" and for an index outside
  // the table, so that a damaged index never presses anything.
  static BYTE virtualKey(int index);
  // The string resource id of an entry's display name; 0 outside the table.
  static UINT nameId(int index);
  // The display name, loaded from the program's string resources; empty
  // outside the table or when the resource is missing.
  static std::string name(int index);
};
