// Commands written into a real compound file and read back.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "actions/command_hotkey.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "common/errors.h"
#include "tests/actions/command_description.h"
#include "tests/actions/test_storage.h"

namespace {

// Saves `command` into a sub-storage of a new file and loads it back.
std::unique_ptr<ZCommand> RoundTrip(const ZCommand& command) {
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    command.save(CreateSubStorage(root.Get(), L"Command 00").Get());
  }
  StoragePtr root = file.open();
  return ZCommand::load(OpenRequiredSubStorage(root.Get(), L"Command 00").Get());
}

struct NamedCommand {
  const char* label;
  std::function<std::unique_ptr<ZCommand>()> make;
};

std::vector<NamedCommand> CommandsWithEveryField() {
  return {
      {"hotkey",
       [] {
         auto c = std::make_unique<ZCommandHotkey>();
         c->setRepeat(3);
         c->setKeys({1, 2, 57, 115});
         return c;
       }},
      {"hotkey defaults", [] { return std::make_unique<ZCommandHotkey>(); }},
      {"menu",
       [] {
         auto c = std::make_unique<ZCommandMenu>();
         c->setPath("FS\xE9");  // é in the system code page
         return c;
       }},
      {"text",
       [] {
         auto c = std::make_unique<ZCommandText>();
         c->setText("Gr\xC3\xBC\xC3\x9F" "e\r\nline \xE2\x82\xAC");  // UTF-8, kept as is
         return c;
       }},
      {"system without parameter",
       [] {
         auto c = std::make_unique<ZCommandSystem>();
         c->setFunction(ZCommandSystem::kMinimizeAll);
         return c;
       }},
      {"system with parameter",
       [] {
         auto c = std::make_unique<ZCommandSystem>();
         c->setFunction(ZCommandSystem::kInsertTime);
         c->setParameter(15);
         return c;
       }},
      {"system without function", [] { return std::make_unique<ZCommandSystem>(); }},
      {"launch",
       [] {
         auto c = std::make_unique<ZCommandLaunch>();
         c->setFilePath("C:\\Program Files\\Editor\\edit.exe");
         c->setCommandLine("/n \"a b.txt\"");
         c->setDirectory("C:\\Temp");
         c->setWindowStyle(ZCommandLaunch::kMaximized);
         c->setWait(true);
         return c;
       }},
      {"sound file",
       [] {
         auto c = std::make_unique<ZCommandSound>();
         c->setSoundType(ZCommandSound::kFile);
         c->setFilePath("C:\\Sounds\\ding.wav");
         c->setLoop(true);
         return c;
       }},
      {"sound theme",
       [] {
         auto c = std::make_unique<ZCommandSound>();
         c->setSoundType(ZCommandSound::kTheme);
         c->setIndex(48);
         c->setWait(true);
         return c;
       }},
      {"sound stop",
       [] {
         auto c = std::make_unique<ZCommandSound>();
         c->setSoundType(ZCommandSound::kStop);
         return c;
       }},
      {"internet",
       [] {
         auto c = std::make_unique<ZCommandInternet>();
         c->setFunction(ZCommandInternet::kEmail);
         c->setTarget("someone@example.com");
         return c;
       }},
      {"internet without function",  // as an older file may give it
       [] {
         auto c = std::make_unique<ZCommandInternet>();
         c->setFunction(ZCommandInternet::kNone);
         c->setTarget("http://example.com/");
         return c;
       }},
  };
}

TEST(CommandStorage, EveryKindReadsBackWithEveryField) {
  for (const NamedCommand& entry : CommandsWithEveryField()) {
    SCOPED_TRACE(entry.label);
    std::unique_ptr<ZCommand> original = entry.make();
    std::unique_ptr<ZCommand> loaded = RoundTrip(*original);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(DescribeCommand(*loaded), DescribeCommand(*original));
    EXPECT_TRUE(loaded->equals(*original));
    EXPECT_TRUE(original->equals(*loaded));
  }
}

TEST(CommandStorage, TextIsReadBackForTypingThroughTheClipboard) {
  ZCommandText typed;
  typed.setUseClipboard(false);
  typed.setText("abc");
  auto loaded = RoundTrip(typed);
  EXPECT_TRUE(static_cast<ZCommandText&>(*loaded).useClipboard());
}

// A command of the given kind, saved, with one stream then overwritten.
void ExpectUnreadableWith(const ZCommand& command, const wchar_t* stream, const char* value) {
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    StoragePtr storage = CreateSubStorage(root.Get(), L"Command 00");
    command.save(storage.Get());
    WriteLiteral(storage.Get(), stream, value);
  }
  StoragePtr root = file.open();
  StoragePtr storage = OpenRequiredSubStorage(root.Get(), L"Command 00");
  EXPECT_THROW(ZCommand::load(storage.Get()), ZReadError);
}

TEST(CommandStorage, UnknownOrMiscasedNamesAreRejected) {
  ZCommandHotkey hotkey;
  ZCommandSystem system;
  system.setFunction(ZCommandSystem::kPause);
  ZCommandLaunch launch;
  ZCommandSound sound;
  ZCommandInternet internet;
  struct Case {
    const char* label;
    const ZCommand* command;
    const wchar_t* stream;
    const char* value;
  } cases[] = {
      {"Vantel type", &hotkey, L"Type", "Vantel"},
      {"type in other case", &hotkey, L"Type", "hotkey"},
      {"unknown type", &hotkey, L"Type", "Macro"},
      {"system function", &system, L"Function", "pause"},
      {"system function unknown", &system, L"Function", "Sleep"},
      {"window style", &launch, L"Window style", "Hidden"},
      {"window style case", &launch, L"Window style", "normal"},
      {"sound type", &sound, L"Sound type", "Beep"},
      {"internet function", &internet, L"Function", "E-mail"},
      {"internet function unknown", &internet, L"Function", "Chat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ExpectUnreadableWith(*c.command, c.stream, c.value);
  }
}

TEST(CommandStorage, ParameterIsWrittenOnlyForFunctionsThatHaveOne) {
  for (int function = 0; function < ZCommandSystem::kFunctionCount; ++function) {
    SCOPED_TRACE(function);
    ZCommandSystem command;
    ASSERT_TRUE(command.setFunction(function));
    command.setParameter(4);
    TestStorageFile file;
    StoragePtr root = file.create();
    command.save(root.Get());
    bool expected =
        function == 6 || function == 7 || function == 8 || function == 18 || function == 19;
    EXPECT_EQ(HasStream(root.Get(), L"Parameter"), expected);
    EXPECT_EQ(ReadLiteral(root.Get(), L"Function"), ZCommandSystem::storedFunctionName(function));
  }
}

TEST(CommandStorage, StreamsOfAHotkeyCommandAreDecimalText) {
  ZCommandHotkey command;
  command.setRepeat(2);
  command.setKeys({1, 2, 39, 0});
  TestStorageFile file;
  StoragePtr root = file.create();
  command.save(root.Get());
  EXPECT_EQ(ReadLiteral(root.Get(), L"Type"), "Hotkey");
  EXPECT_EQ(ReadLiteral(root.Get(), L"Repeat"), "2");
  EXPECT_EQ(ReadLiteral(root.Get(), L"Keys"), "1 2 39 0");
}

TEST(CommandStorage, SoundStreamsFollowItsType) {
  struct Case {
    int type;
    bool filePath, index, loopAndWait;
  } cases[] = {{ZCommandSound::kFile, true, false, true},
               {ZCommandSound::kTheme, false, true, true},
               {ZCommandSound::kStop, false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ZCommandSound command;
    command.setSoundType(c.type);
    TestStorageFile file;
    StoragePtr root = file.create();
    command.save(root.Get());
    EXPECT_EQ(HasStream(root.Get(), L"Filepath"), c.filePath);
    EXPECT_EQ(HasStream(root.Get(), L"Index"), c.index);
    EXPECT_EQ(HasStream(root.Get(), L"Loop"), c.loopAndWait);
    EXPECT_EQ(HasStream(root.Get(), L"Wait"), c.loopAndWait);
  }
}

TEST(CommandStorage, KeysStreamIsScannedIntoTheFourSlots) {
  struct Case {
    const char* keys;
    ZCommandHotkey::Keys expected;
  } cases[] = {
      {"1 2 39 0", {1, 2, 39, 0}},
      {"1 2", {1, 2, 0, 0}},                // a short list leaves the rest empty
      {"115 116 300 256", {115, 0, 0, 0}},  // outside the table: no key, never a wrapped one
      {"", {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    TestStorageFile file;
    {
      StoragePtr root = file.create();
      WriteLiteral(root.Get(), L"Type", "Hotkey");
      WriteLiteral(root.Get(), L"Repeat", " 3x");
      WriteLiteral(root.Get(), L"Keys", c.keys);
    }
    auto loaded = ZCommand::load(file.open().Get());
    const auto& hotkey = static_cast<const ZCommandHotkey&>(*loaded);
    EXPECT_EQ(hotkey.keys(), c.expected);
    EXPECT_EQ(hotkey.repeat(), 3);
  }
}

// Every repetition holds the keys 80 ms on a thread nothing can cancel: a
// damaged or hostile count is cut to the most a macro may ask for.
TEST(CommandStorage, HotkeyRepeatIsCappedAtLoad) {
  struct Case {
    const char* repeat;
    int expected;
  } cases[] = {
      {"2000000000", kMostHotkeyRepeats}, {"99999999999", kMostHotkeyRepeats}, {"101", kMostHotkeyRepeats},
      {"100", 100}, {"3", 3}, {"0", 0}, {"-5", -5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.repeat);
    TestStorageFile file;
    {
      StoragePtr root = file.create();
      WriteLiteral(root.Get(), L"Type", "Hotkey");
      WriteLiteral(root.Get(), L"Repeat", c.repeat);
      WriteLiteral(root.Get(), L"Keys", "1 39 0 0");
    }
    auto loaded = ZCommand::load(file.open().Get());
    EXPECT_EQ(static_cast<const ZCommandHotkey&>(*loaded).repeat(), c.expected);
  }
  ZCommandHotkey edited;
  edited.setRepeat(INT32_MAX);
  EXPECT_EQ(edited.repeat(), kMostHotkeyRepeats);
}

TEST(CommandStorage, MissingStreamIsUnreadable) {
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    WriteLiteral(root.Get(), L"Type", "Launch");
    WriteText(root.Get(), L"Filepath", "x.exe");
  }
  EXPECT_THROW(ZCommand::load(file.open().Get()), ZReadError);
}

}  // namespace
