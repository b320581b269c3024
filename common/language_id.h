// The interface languages of the program with their Windows languages and
// language groups. Main program only.
#pragma once
#include <cstdint>
#include <string>

class LanguageId {
 public:
  static constexpr int kFirst = 1;
  static constexpr int kLast = 11;
  static constexpr int kUnknown = -1;

  // Exact, case-sensitive name match ("Simplified Chinese" is 11).
  static int FromName(const std::string& name);
  // The English name of an id; empty outside 1..11.
  static std::string Name(int id);
  // From a Windows language identifier (LANGID); Chinese in its simplified
  // sub-language is "Simplified Chinese", every other Chinese is "Chinese".
  static int FromWindowsLanguage(uint16_t langId);
  // Index 1..17 into the language group table, -1 outside 1..11.
  static int GroupIndex(int id);
};

// The Windows language group identifier (LGRPID) of a group index 1..17
// (Western Europe, Central Europe, Arabic, Armenian, Baltic, Cyrillic,
// Georgian, Greek, Hebrew, Indic, Japanese, Korean, Simplified Chinese,
// Traditional Chinese, Thai, Turkish, Vietnamese); 0 outside.
uint32_t LanguageGroupId(int groupIndex);
