#include <gtest/gtest.h>

#include <cstdint>

#include "actions/legacy_action_record.h"
#include "common/errors.h"
#include "plugins/legacy_plugin_record.h"
#include "tests/plugins/legacy_plugin_bytes.h"

namespace {

const std::vector<LegacyCommandBytes> kOneOfEachKind = {
    {0, 9, {"2", "17", "-1", "-1", "-1"}},
    {1, 0, {"fo"}},
    {2, 1, {"Hello", "unused"}},
    {3, 0, {"4", "120"}},
    {4, 1, {"C:\\x.exe", "-a", "C:\\", "2"}},
    {5, 1, {"1", "3", "C:\\s.wav", "1"}},
    {6, 0, {"0", "http://example.com"}},
};

TEST(LegacyActionRecord, ReadsEveryCommandKindWithItsFieldsAndStopsOnTheTerminator) {
  const Bytes data = LegacyAction("Sym", {1, 2, 0xFF}, "Do it", 0x03, 0x0241, kOneOfEachKind);
  LegacyStream stream(data);
  const LegacyActionRecord action = ReadLegacyActionRecord(stream);
  EXPECT_EQ(stream.position(), data.size() - 1);
  EXPECT_EQ(stream.peek(), 0xFF);
  EXPECT_EQ(action.symbol.name, "Sym");
  EXPECT_EQ(action.name, "Do it");
  EXPECT_EQ(action.flags, 0x03);
  EXPECT_EQ(action.hotkey, 0x0241);
  ASSERT_EQ(action.commands.size(), kOneOfEachKind.size());
  for (size_t i = 0; i < kOneOfEachKind.size(); ++i) {
    EXPECT_EQ(action.commands[i].type, kOneOfEachKind[i].type);
    EXPECT_EQ(action.commands[i].flag, kOneOfEachKind[i].flag);
    EXPECT_EQ(action.commands[i].fields, kOneOfEachKind[i].fields);
  }
}

TEST(LegacyActionRecord, AnActionFollowedDirectlyByTheTerminatorHasNoCommands) {
  const Bytes data = LegacyAction("S", {0xFF}, "Empty", 0, 0, {});
  LegacyStream stream(data);
  EXPECT_TRUE(ReadLegacyActionRecord(stream).commands.empty());
}

// Without lengths in the form, an unknown type id loses the record layout:
// guessing on would take field bytes for the next command.
TEST(LegacyActionRecord, ATypeIdOutsideTheSevenKindsIsAReadError) {
  // (A type whose low byte is 0xFF reads as the terminator, so none is used here.)
  for (int32_t type : {7, 0x100, -2}) {
    Bytes data = LegacyAction("S", {0xFF}, "A", 0, 0, {});
    data.pop_back();
    AppendInt(data, type);
    data.push_back(0);
    AppendText(data, "x");
    data.push_back(0xFF);
    LegacyStream stream(data);
    EXPECT_THROW(ReadLegacyActionRecord(stream), ZReadError) << type;
  }
}

TEST(LegacyActionSequence, ReadsActionsUpToTheDoubleTerminator) {
  Bytes data = LegacyAction("One", {0xFF}, "First", 0, 0, {{1, 0, {"e"}}});
  AppendBytes(data, LegacyAction("Two", {3, 4, 0xFF}, "Second", 0, 0, {}));
  data.push_back(0xFF);
  data.push_back(0x99);  // after the end: not read
  LegacyStream stream(data);
  const auto actions = ReadLegacyActionSequence(stream);
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[0].name, "First");
  EXPECT_EQ(actions[1].name, "Second");
  EXPECT_EQ(actions[1].symbol.points.size(), 1u);
  EXPECT_EQ(stream.peek(), 0x99);
}

TEST(LegacyPluginRecord, UnscramblesNameCaptionAndKeyOnly) {
  LegacyPluginHeader header;
  header.name = "Word \xE9t\xE9";
  header.comments = "Plain";
  const Bytes file = LegacyPluginFile(header, {});
  ASSERT_TRUE(IsLegacyPluginFile(file.data(), file.size()));
  LegacyStream stream(file);
  const LegacyPluginRecord plugin = ReadLegacyPlugin(stream, false);
  EXPECT_EQ(plugin.name, header.name);
  EXPECT_EQ(plugin.caption, "Editor");
  EXPECT_EQ(plugin.key, "NotepadClass");
  EXPECT_EQ(plugin.comments, "Plain");
  EXPECT_EQ(plugin.languageName, "English");
  EXPECT_EQ(plugin.id, 42);
  EXPECT_TRUE(plugin.actions.empty());
  // A known pair: 'A' (65) is stored as 65 - 136 + 256 = 185 at an even
  // position and as 65 - 30 = 35 at an odd one.
  EXPECT_EQ(UnscrambleLegacyText("\xB9#"), "AA");
  // A byte that unscrambles to zero ends the text there.
  EXPECT_EQ(UnscrambleLegacyText("\xB9\xE2#"), "A");
}

TEST(LegacyPluginRecord, TheIdTextReadsAsASaturatedNumberAndEmptyAsMinusOne) {
  const struct {
    const char* text;
    int32_t id;
  } cases[] = {{"", -1}, {"7", 7}, {"99999999999999999999", INT32_MAX}, {"-99999999999999999999", INT32_MIN}};
  for (const auto& c : cases) {
    LegacyPluginHeader header;
    header.id = c.text;
    const Bytes file = LegacyPluginFile(header, {});
    LegacyStream stream(file);
    EXPECT_EQ(ReadLegacyPlugin(stream, false).id, c.id) << c.text;
  }
}

TEST(LegacyPluginRecord, FullReadTakesTheActions) {
  const Bytes file = LegacyPluginFile({}, {LegacyAction("S", {1, 1, 0xFF}, "Act", 0, 0, kOneOfEachKind)});
  LegacyStream stream(file);
  const LegacyPluginRecord plugin = ReadLegacyPlugin(stream, true);
  ASSERT_EQ(plugin.actions.size(), 1u);
  EXPECT_EQ(plugin.actions[0].commands.size(), kOneOfEachKind.size());
  EXPECT_TRUE(stream.atEnd());
}

TEST(LegacyPluginRecord, AFileCutAnywhereIsAReadError) {
  Bytes two = LegacyAction("S", {1, 1, 0xFF}, "A", 1, 2, kOneOfEachKind);
  const Bytes file = LegacyPluginFile({}, {two, LegacyAction("T", {0xFF}, "B", 0, 0, {{1, 0, {"f"}}})});
  for (size_t cut = 0; cut < file.size(); ++cut) {
    LegacyStream stream(file.data(), cut);
    EXPECT_THROW(ReadLegacyPlugin(stream, true), ZReadError) << "cut at " << cut;
  }
}

TEST(LegacyPluginRecord, RecognisesOnlyTheExactSignatureAsFirstString) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {std::string("Zavotra Plug-in File\0x", 22), true},
      {std::string("Zavotra Plug-in File"), true},  // no zero byte at all
      {std::string("Zavotra Plug-in Fil\0", 20), false},
      {std::string("Zavotra Plug-in Files\0", 22), false},
      {std::string("\xD0\xCF\x11\xE0", 4), false},
      {std::string(), false},
  };
  for (const auto& [text, expected] : cases) {
    const Bytes data(text.begin(), text.end());
    EXPECT_EQ(IsLegacyPluginFile(data.data(), data.size()), expected) << text;
  }
  const Bytes wrong = {'Z', 0};
  LegacyStream stream(wrong);
  EXPECT_THROW(ReadLegacyPlugin(stream, false), ZReadError);
}

}  // namespace
