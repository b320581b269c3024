// The settings and counter text forms, natively: the parser's strictness
// (exact keys, exact bools) and the writer's fixed order are what keeps a
// profile's preferences across program versions.
#include <gtest/gtest.h>

#include "shell/settings_text.h"
#include "shell/usage_counters.h"

namespace {
ZSettings Defaults() {
  ZSettings d;
  d.ncx = 1234567890123LL;
  d.soundTheme = "English Female Voice";
  return d;
}

ZSettings Changed() {
  ZSettings s;
  s.firstTime = false;
  s.applicationDetection = false;
  s.runAtStartup = false;
  s.autoHide = false;
  s.drawButton = 1;
  s.deviceType = 3;
  s.exeFolder = "C:\\Program Files\\Tools\\";
  s.playSounds = false;
  s.ncx = 133000000000000000LL;
  s.soundFolder = "D:\\sounds";
  s.soundTheme = "Other Theme";
  s.startHidden = false;
  s.playStartSound = false;
  s.drawingThreshold = 12;
  s.recognitionTolerance = -5;
  s.windowX = -200;
  s.windowY = 40;
  return s;
}

void ExpectSame(const ZSettings& a, const ZSettings& b) {
  EXPECT_EQ(a.firstTime, b.firstTime);
  EXPECT_EQ(a.applicationDetection, b.applicationDetection);
  EXPECT_EQ(a.runAtStartup, b.runAtStartup);
  EXPECT_EQ(a.autoHide, b.autoHide);
  EXPECT_EQ(a.drawButton, b.drawButton);
  EXPECT_EQ(a.deviceType, b.deviceType);
  EXPECT_EQ(a.exeFolder, b.exeFolder);
  EXPECT_EQ(a.playSounds, b.playSounds);
  EXPECT_EQ(a.ncx, b.ncx);
  EXPECT_EQ(a.soundFolder, b.soundFolder);
  EXPECT_EQ(a.soundTheme, b.soundTheme);
  EXPECT_EQ(a.startHidden, b.startHidden);
  EXPECT_EQ(a.playStartSound, b.playStartSound);
  EXPECT_EQ(a.drawingThreshold, b.drawingThreshold);
  EXPECT_EQ(a.recognitionTolerance, b.recognitionTolerance);
  EXPECT_EQ(a.windowX, b.windowX);
  EXPECT_EQ(a.windowY, b.windowY);
  EXPECT_EQ(a.recognizer, b.recognizer);
}
}  // namespace

TEST(SettingsText, WritesEveryFieldInTheFileOrder) {
  ZSettings s = Changed();
  EXPECT_EQ(SettingsToText(s),
            "ApplicationDetection\tfalse\r\n"
            "AutoHide\tfalse\r\n"
            "RunAtStartup\tfalse\r\n"
            "DrawButton\t1\r\n"
            "DeviceType\t3\r\n"
            "ExeFolder\tC:\\Program Files\\Tools\\\r\n"
            "FirstTime\tfalse\r\n"
            "PlaySounds\tfalse\r\n"
            "SoundFolder\tD:\\sounds\r\n"
            "SoundTheme\tOther Theme\r\n"
            "StartHidden\tfalse\r\n"
            "PlayStartSound\tfalse\r\n"
            "DrawingThreshold\t12\r\n"
            "RecognitionTolerance\t-5\r\n"
            "WindowX\t-200\r\n"
            "WindowY\t40\r\n"
            "NCx\t133000000000000000\r\n");
}

TEST(SettingsText, RoundTripsEveryField) {
  ExpectSame(SettingsFromText(SettingsToText(Changed()), Defaults()), Changed());
  ExpectSame(SettingsFromText(SettingsToText(Defaults()), ZSettings()), Defaults());
}

TEST(SettingsText, EmptyOrGarbageTextGivesEveryDefault) {
  for (const char* text : {"", "\r\n\r\n", "no tab anywhere", "\x01\x02\xff\t\xfe"}) {
    SCOPED_TRACE(text);
    ExpectSame(SettingsFromText(text, Defaults()), Defaults());
  }
}

TEST(SettingsText, KeysAreExactAndBoolsOnlyTrueOrFalse) {
  struct Case { const char* text; bool ZSettings::*field; bool expected; };
  const Case cases[] = {
      {"autohide\tfalse\r\n", &ZSettings::autoHide, true},        // other capitals: not the key
      {"AutoHide\tFALSE\r\n", &ZSettings::autoHide, true},        // not a bool word: default
      {"FirstTime\tTRUE\r\n", &ZSettings::firstTime, true},
      {"StartHidden\t1\r\n", &ZSettings::startHidden, true},
      {"StartHidden\tfalse \r\n", &ZSettings::startHidden, true},  // trailing space is part of the value
      {"  StartHidden\tfalse\r\n", &ZSettings::startHidden, false}, // leading spaces are skipped
      {"PlaySounds\tfalse", &ZSettings::playSounds, false},        // last line without line end
      {"FirstTime\tfalse\nFirstTime\ttrue\n", &ZSettings::firstTime, false},  // first one wins
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SettingsFromText(c.text, Defaults()).*(c.field), c.expected);
  }
}

TEST(SettingsText, NumbersReadAsAtoiDoesAndSaturate) {
  struct Case { const char* value; int32_t expected; };
  const Case cases[] = {{"42", 42}, {"-7px", -7}, {"  15", 15}, {"abc", 0}, {"", 0},
                        {"99999999999999", 2147483647}, {"-99999999999999", -2147483647 - 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    std::string text = std::string("WindowX\t") + c.value + "\r\n";
    EXPECT_EQ(SettingsFromText(text, Defaults()).windowX, c.expected);
  }
  EXPECT_EQ(SettingsFromText("NCx\t-9223372036854775808\r\n", Defaults()).ncx, INT64_MIN);
  EXPECT_EQ(SettingsFromText("NCx\t99999999999999999999999\r\n", Defaults()).ncx, INT64_MAX);
  EXPECT_EQ(SettingsFromText("Other\t1\r\n", Defaults()).windowX, 2147483647);
}

TEST(SettingsText, ValueRunsToTheLineEndAndMayHoldTabs) {
  auto table = ParseSettingsText("ExeFolder\tC:\\a\tb\r\n\t\r\nSoundFolder\t\r\n");
  EXPECT_EQ(table["ExeFolder"], "C:\\a\tb");
  ASSERT_EQ(table.count("SoundFolder"), 1u);
  EXPECT_EQ(table["SoundFolder"], "");
}

TEST(SettingsText, AValueWithALineEndCannotSmuggleInAKey) {
  ZSettings s = Defaults();
  s.exeFolder = "C:\\x\r\nRunAtStartup\tfalse";
  ZSettings back = SettingsFromText(SettingsToText(s), Defaults());
  EXPECT_TRUE(back.runAtStartup);
  EXPECT_EQ(back.exeFolder, "C:\\x  RunAtStartup\tfalse");
}

TEST(UsageCounters, CountCreatesAtZeroAndClearRecentKeepsTotals) {
  ZUsageCounters table;
  table.count(5);
  table.count(5);
  table.count(-3);
  EXPECT_EQ(table.entries().at(5), (ZUsageCount{2, 2}));
  table.clearRecent();
  table.count(5);
  EXPECT_EQ(table.entries().at(5), (ZUsageCount{3, 1}));
  EXPECT_EQ(table.entries().at(-3), (ZUsageCount{1, 0}));
}

TEST(UsageCounters, FormatsInAscendingKeyOrderAndParsesBack) {
  ZUsageCounters table;
  table.set(70, {4000000000u, 1});
  table.set(-2, {3, 3});
  table.set(0, {9, 0});
  EXPECT_EQ(table.format(), "-2\t3\t3\r\n0\t9\t0\r\n70\t4000000000\t1\r\n");
  ZUsageCounters back;
  back.parse(table.format());
  EXPECT_EQ(back.entries(), table.entries());
}

TEST(UsageCounters, SkipsBrokenLinesAndKeepsTheFirstOfARepeatedKey) {
  ZUsageCounters table;
  table.count(99);  // parsing replaces what was there
  table.parse("1\t2\t3\r\nbroken\r\n4\t5\r\n1\t7\t7\n\n6\t1\t0");
  ASSERT_EQ(table.entries().size(), 2u);
  EXPECT_EQ(table.entries().at(1), (ZUsageCount{2, 3}));
  EXPECT_EQ(table.entries().at(6), (ZUsageCount{1, 0}));
}

TEST(SettingsText, CaptureExceptionsRoundTripWhateverTheirTexts) {
  ZSettings s = Defaults();
  s.captureOffApplications = {{"GameWindowClass", "Big Game"},
                              {"Tab\tClass\\", "Caption\r\nRunAtStartup\tfalse\\t\0 end"},
                              {"", ""},
                              {"\\", "\\\\n"}};
  s.captureOffApplications[1].caption += std::string(1, '\0') + "after a NUL";
  s.pauseInFullScreen = true;
  const std::string text = SettingsToText(s);
  const ZSettings back = SettingsFromText(text, Defaults());
  EXPECT_EQ(back.captureOffApplications, s.captureOffApplications);
  EXPECT_TRUE(back.pauseInFullScreen);
  EXPECT_TRUE(back.runAtStartup);  // nothing smuggled in through a caption
  EXPECT_NE(text.find("CaptureOff1\tGameWindowClass\tBig Game\r\n"), std::string::npos) << text;
}

TEST(SettingsText, CaptureExceptionsAreWrittenOnlyWhenSetAndEndAtTheFirstGap) {
  ZSettings s = Changed();
  const std::string plain = SettingsToText(s);
  EXPECT_EQ(plain.find("CaptureOff"), std::string::npos);
  EXPECT_EQ(plain.find("PauseInFullScreen"), std::string::npos);

  const ZSettings back = SettingsFromText(
      "CaptureOff1\tA\tfirst\r\nCaptureOff2\tB\r\nCaptureOff4\tD\td\r\nPauseInFullScreen\tyes\r\n", Defaults());
  const std::vector<ZWindowRule> expected = {{"A", "first"}, {"B", ""}};
  EXPECT_EQ(back.captureOffApplications, expected);
  EXPECT_FALSE(back.pauseInFullScreen);  // not a bool word: the default
}

TEST(SettingsText, EscapesUndoExactlyAndLeaveForeignBackslashesAlone) {
  for (const std::string& text : {std::string("a\\b\tc\rd\ne"), std::string("\\"), std::string("x\\"),
                                 std::string(3, '\0')}) {
    const std::string escaped = EscapeSettingText(text);
    EXPECT_EQ(escaped.find_first_of(std::string("\t\r\n\0", 4)), std::string::npos);
    EXPECT_EQ(UnescapeSettingText(escaped), text);
  }
  EXPECT_EQ(UnescapeSettingText("C:\\x\\"), "C:\\x\\");
}

TEST(SettingsText, TheRecognizerChoiceRoundTripsAndDefaultsToTheStandardOne) {
  EXPECT_EQ(ZSettings().recognizer, ZRecognizerChoice::kStandard);
  ZSettings s = Changed();
  EXPECT_EQ(SettingsToText(s).find("Recognizer"), std::string::npos);  // a file as earlier versions wrote it
  s.recognizer = ZRecognizerChoice::kPrecise;
  const std::string text = SettingsToText(s);
  EXPECT_NE(text.find("Recognizer\tPrecise\r\n"), std::string::npos) << text;
  EXPECT_EQ(SettingsFromText(text, Defaults()).recognizer, ZRecognizerChoice::kPrecise);

  struct Case { const char* text; ZRecognizerChoice expected; };
  const Case cases[] = {{"", ZRecognizerChoice::kStandard},
                        {"RecognitionTolerance\t40\r\n", ZRecognizerChoice::kStandard},
                        {"Recognizer\tStandard\r\n", ZRecognizerChoice::kStandard},
                        {"Recognizer\tPrecise", ZRecognizerChoice::kPrecise},
                        {"Recognizer\tprecise\r\n", ZRecognizerChoice::kStandard},  // values are exact
                        {"Recognizer\t1\r\n", ZRecognizerChoice::kStandard},
                        {"recognizer\tPrecise\r\n", ZRecognizerChoice::kStandard}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SettingsFromText(c.text, Defaults()).recognizer, c.expected);
  }
}
