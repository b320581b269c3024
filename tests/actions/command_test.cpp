// Command kinds as values: defaults, names, copies and comparison.
#include <gtest/gtest.h>

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "tests/actions/command_description.h"

namespace {

TEST(Command, CreateGivesEachKindWithItsDefaultsAndName) {
  struct Case {
    int id;
    const char* name;
    const char* defaults;
  } cases[] = {
      {0, "Hotkey", "type 0 repeat 1 keys 0 0 0 0"},
      {1, "Menu", "type 1 path []"},
      {2, "Text", "type 2 text [] clipboard 1"},
      {3, "Misc.", "type 3 function -1 parameter 0"},
      {4, "Run", "type 4 file [] line [] dir [] style 0 wait 0"},
      {5, "Sound", "type 5 sound 0 index 0 file [] loop 0 wait 0"},
      {6, "Internet", "type 6 function 0 target []"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    std::unique_ptr<ZCommand> command = ZCommand::create(c.id);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->typeId(), c.id);
    EXPECT_EQ(command->typeName(), c.name);
    EXPECT_EQ(DescribeCommand(*command), c.defaults);
  }
  EXPECT_FALSE(ZCommand::create(7));
  EXPECT_FALSE(ZCommand::create(-1));
}

TEST(Command, KindsWithEqualDefaultsAreNeverEqual) {
  for (int a = 0; a < 7; ++a)
    for (int b = 0; b < 7; ++b)
      EXPECT_EQ(ZCommand::create(a)->equals(*ZCommand::create(b)), a == b) << a << " " << b;
}

TEST(Command, CloneIsAnIndependentCopy) {
  ZCommandLaunch launch;
  launch.setFilePath("a.exe");
  launch.setWait(true);
  std::unique_ptr<ZCommand> copy = launch.clone();
  launch.setFilePath("b.exe");
  EXPECT_EQ(DescribeCommand(*copy), "type 4 file [a.exe] line [] dir [] style 0 wait 1");
}

TEST(Command, EachStoredFieldTakesPartInEquals) {
  ZCommandHotkey hotkey;
  ZCommandHotkey otherRepeat;
  otherRepeat.setRepeat(2);
  ZCommandHotkey otherKey;
  otherKey.setKey(3, 5);
  EXPECT_FALSE(hotkey.equals(otherRepeat));
  EXPECT_FALSE(hotkey.equals(otherKey));

  ZCommandSystem system;
  system.setFunction(ZCommandSystem::kPause);
  ZCommandSystem longer = system;
  longer.setParameter(3);
  EXPECT_FALSE(system.equals(longer));

  ZCommandText text;
  ZCommandText typed;
  typed.setUseClipboard(false);
  EXPECT_TRUE(text.equals(typed));  // how the text goes in is not part of it
  typed.setText("x");
  EXPECT_FALSE(text.equals(typed));

  ZCommandInternet site;
  ZCommandInternet mail;
  mail.setFunction(ZCommandInternet::kEmail);
  EXPECT_FALSE(site.equals(mail));

  ZCommandLaunch launch;
  ZCommandLaunch minimized;
  minimized.setWindowStyle(ZCommandLaunch::kMinimized);
  EXPECT_FALSE(launch.equals(minimized));
}

TEST(Command, SoundsCompareOnlyWhatTheirTypeUses) {
  auto sound = [](int type, int index, const char* path, bool loop, bool wait) {
    ZCommandSound s;
    s.setSoundType(type);
    s.setIndex(index);
    s.setFilePath(path);
    s.setLoop(loop);
    s.setWait(wait);
    return s;
  };
  using S = ZCommandSound;
  EXPECT_TRUE(sound(S::kStop, 1, "a", true, false).equals(sound(S::kStop, 2, "b", false, true)));
  EXPECT_TRUE(sound(S::kFile, 1, "a", true, false).equals(sound(S::kFile, 2, "a", true, false)));
  EXPECT_FALSE(sound(S::kFile, 1, "a", true, false).equals(sound(S::kFile, 1, "b", true, false)));
  EXPECT_TRUE(sound(S::kTheme, 1, "a", 0, 0).equals(sound(S::kTheme, 1, "b", 0, 0)));
  EXPECT_FALSE(sound(S::kTheme, 1, "a", 0, 0).equals(sound(S::kTheme, 2, "a", 0, 0)));
  EXPECT_FALSE(sound(S::kTheme, 1, "", true, false).equals(sound(S::kTheme, 1, "", false, false)));
  EXPECT_FALSE(sound(S::kFile, 1, "", false, true).equals(sound(S::kFile, 1, "", false, false)));
  EXPECT_FALSE(sound(S::kFile, 0, "", false, false).equals(sound(S::kStop, 0, "", false, false)));
}

TEST(Command, SettersRefuseValuesOutsideTheirTables) {
  ZCommandSystem system;
  EXPECT_FALSE(system.setFunction(22));
  EXPECT_FALSE(system.setFunction(-2));
  EXPECT_TRUE(system.setFunction(21));
  EXPECT_FALSE(system.setFunction(99));
  EXPECT_EQ(system.function(), 21);

  ZCommandLaunch launch;
  EXPECT_FALSE(launch.setWindowStyle(3));
  ZCommandSound sound;
  EXPECT_FALSE(sound.setSoundType(-1));
  ZCommandInternet internet;
  EXPECT_FALSE(internet.setFunction(4));
  EXPECT_EQ(DescribeCommand(launch) + DescribeCommand(sound) + DescribeCommand(internet),
            DescribeCommand(*ZCommand::create(4)) + DescribeCommand(*ZCommand::create(5)) +
                DescribeCommand(*ZCommand::create(6)));
}

}  // namespace
