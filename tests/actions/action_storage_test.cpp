// Macros and web-service actions written into a real compound file and read
// back, and what makes an action storage unreadable.
#include <gtest/gtest.h>

#include "actions/command_hotkey.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/macro.h"
#include "actions/web_service.h"
#include "common/errors.h"
#include "tests/actions/command_description.h"
#include "tests/actions/test_storage.h"

namespace {

std::unique_ptr<Symbol> SampleSymbol() {
  auto symbol = std::make_unique<Symbol>();
  symbol->setName("Zigzag");
  symbol->setSortName("zz");
  symbol->setIdentifier(77);
  Stroke& stroke = symbol->addShape().addStroke();
  stroke.push_back({3, 4});
  stroke.push_back({28, 9});
  symbol->addShape().addStroke().push_back({5, 5});
  return symbol;
}

std::unique_ptr<ZCommand> Menu(const char* path) {
  auto menu = std::make_unique<ZCommandMenu>();
  menu->setPath(path);
  return menu;
}

std::unique_ptr<ZMacro> SampleMacro() {
  auto macro = std::make_unique<ZMacro>();
  macro->setName("Save all \xE9");
  macro->setHotkey(0x0253);  // Ctrl+S
  macro->setSymbol(SampleSymbol());
  for (int id = 0; id < 7; ++id) macro->append(ZCommand::create(id));
  macro->append(Menu("FS"));
  return macro;
}

std::unique_ptr<ZCommandSound> ThemeSound(int index) {
  auto sound = std::make_unique<ZCommandSound>();
  sound->setSoundType(ZCommandSound::kTheme);
  sound->setIndex(index);
  sound->setLoop(true);
  return sound;
}

void Save(const TestStorageFile& file, const ZAction& action, bool topLevel) {
  StoragePtr root = file.create();
  if (topLevel) {
    action.save(root.Get(), true);
  } else {
    action.save(CreateSubStorage(root.Get(), L"Action 00").Get(), false);
  }
}

std::unique_ptr<ZAction> Load(const TestStorageFile& file, bool topLevel) {
  StoragePtr root = file.open();
  if (topLevel) return ZAction::load(root.Get(), true);
  return ZAction::load(OpenRequiredSubStorage(root.Get(), L"Action 00").Get(), false);
}

std::vector<std::string> DescribeCommands(const ZMacro& macro) {
  std::vector<std::string> result;
  for (const ZCommand* command : macro) result.push_back(DescribeCommand(*command));
  return result;
}

TEST(ActionStorage, MacroReadsBackWithEveryFieldAtTopLevelAndNested) {
  for (bool topLevel : {true, false}) {
    SCOPED_TRACE(topLevel);
    std::unique_ptr<ZMacro> original = SampleMacro();
    TestStorageFile file;
    Save(file, *original, topLevel);
    std::unique_ptr<ZAction> loaded = Load(file, topLevel);
    auto* macro = dynamic_cast<ZMacro*>(loaded.get());
    ASSERT_TRUE(macro);
    EXPECT_EQ(macro->name(), original->name());
    EXPECT_EQ(macro->hotkey(), 0x0253);
    ASSERT_TRUE(macro->symbol());
    EXPECT_TRUE(*macro->symbol() == *original->symbol());
    EXPECT_EQ(macro->plugin(), nullptr);
    EXPECT_EQ(DescribeCommands(*macro), DescribeCommands(*original));
    EXPECT_TRUE(macro->equals(*original));
  }
}

TEST(ActionStorage, TopLevelActionCarriesVersionAndLanguage) {
  TestStorageFile file;
  Save(file, *SampleMacro(), true);
  StoragePtr root = file.open();
  EXPECT_EQ(ReadLiteral(root.Get(), L"File Version"), "2.0");
  EXPECT_EQ(ReadLiteral(root.Get(), L"Language"), "English");
  EXPECT_EQ(ReadLiteral(root.Get(), L"Type"), "Macro");
  EXPECT_TRUE(HasStream(root.Get(), L"Hotkey"));

  TestStorageFile nested;
  Save(nested, *SampleMacro(), false);
  StoragePtr action = OpenRequiredSubStorage(nested.open().Get(), L"Action 00");
  EXPECT_FALSE(HasStream(action.Get(), L"File Version"));
  EXPECT_FALSE(HasStream(action.Get(), L"Language"));
}

TEST(ActionStorage, WebServiceReadsBackWithAndWithoutSound) {
  for (bool withSound : {true, false}) {
    SCOPED_TRACE(withSound);
    ZWebService original;
    original.setName("Search");
    original.setSymbol(SampleSymbol());
    original.setServiceId(-42);
    if (withSound) original.setSound(ThemeSound(12));
    TestStorageFile file;
    Save(file, original, false);
    std::unique_ptr<ZAction> loaded = Load(file, false);
    auto* service = dynamic_cast<ZWebService*>(loaded.get());
    ASSERT_TRUE(service);
    EXPECT_EQ(service->name(), "Search");
    EXPECT_EQ(service->hotkey(), 0);
    EXPECT_EQ(service->serviceId(), -42);
    ASSERT_EQ(service->sound() != nullptr, withSound);
    if (withSound) {
      EXPECT_EQ(DescribeCommand(*service->sound()), DescribeCommand(*ThemeSound(12)));
    }
    EXPECT_TRUE(service->equals(original));
  }
}

TEST(ActionStorage, MissingHotkeyReadsAsNone) {
  std::unique_ptr<ZMacro> macro = SampleMacro();
  macro->setHotkey(0);
  TestStorageFile file;
  Save(file, *macro, true);
  EXPECT_FALSE(HasStream(file.open().Get(), L"Hotkey"));
  EXPECT_EQ(Load(file, true)->hotkey(), 0);
}

TEST(ActionStorage, ActionWithoutSymbolIsWrittenWithoutItAndNotReadBack) {
  std::unique_ptr<ZMacro> macro = SampleMacro();
  macro->setSymbol(nullptr);
  TestStorageFile file;
  Save(file, *macro, false);
  EXPECT_THROW(Load(file, false), ZReadError);
}

TEST(ActionStorage, CommandListEndsAtTheFirstMissingNumber) {
  std::unique_ptr<ZMacro> macro = SampleMacro();
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    macro->save(root.Get(), true);
    ASSERT_EQ(root->DestroyElement(L"Command 01"), S_OK);
  }
  auto loaded = Load(file, true);
  auto& commands = static_cast<ZMacro&>(*loaded);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands.front()->typeId(), kCommandHotkey);
}

TEST(ActionStorage, MacroWithoutCommandsReadsBackEmpty) {
  ZMacro empty;
  empty.setName("Nothing");
  empty.setSymbol(SampleSymbol());
  TestStorageFile file;
  Save(file, empty, true);
  auto loaded = Load(file, true);
  EXPECT_TRUE(static_cast<ZMacro&>(*loaded).empty());
}

// A saved macro with one stream then overwritten or removed.
void ExpectUnreadable(bool topLevel, const wchar_t* stream, const char* value) {
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    SampleMacro()->save(root.Get(), topLevel);
    if (value) {
      WriteLiteral(root.Get(), stream, value);
    } else {
      ASSERT_EQ(root->DestroyElement(stream), S_OK);
    }
  }
  EXPECT_THROW(ZAction::load(file.open().Get(), topLevel), ZReadError);
}

TEST(ActionStorage, UnreadableActions) {
  ExpectUnreadable(true, L"File Version", "3.0");
  ExpectUnreadable(true, L"File Version", "1.9");
  ExpectUnreadable(true, L"File Version", "version");
  ExpectUnreadable(true, L"File Version", nullptr);
  ExpectUnreadable(false, L"Type", "macro");
  ExpectUnreadable(false, L"Type", "WebService");
  ExpectUnreadable(false, L"Name", nullptr);
  ExpectUnreadable(false, L"Type", nullptr);
  ExpectUnreadable(false, L"Symbol", nullptr);
}

TEST(ActionStorage, VersionIsCheckedByItsIntegerPartAndOnlyAtTopLevel) {
  for (const char* version : {"2.0", "2.75", " 2"}) {
    SCOPED_TRACE(version);
    TestStorageFile file;
    {
      StoragePtr root = file.create();
      SampleMacro()->save(root.Get(), true);
      WriteLiteral(root.Get(), L"File Version", version);
    }
    EXPECT_NO_THROW(ZAction::load(file.open().Get(), true));
  }
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    SampleMacro()->save(root.Get(), true);
    WriteLiteral(root.Get(), L"File Version", "9.0");
  }
  EXPECT_NO_THROW(ZAction::load(file.open().Get(), false));
}

TEST(ActionStorage, WebServiceNeedsItsWebsite) {
  ZWebService service;
  service.setSymbol(SampleSymbol());
  TestStorageFile file;
  {
    StoragePtr root = file.create();
    service.save(root.Get(), false);
    ASSERT_EQ(root->DestroyElement(L"Website"), S_OK);
  }
  EXPECT_THROW(ZAction::load(file.open().Get(), false), ZReadError);
}

TEST(ActionEquality, MacrosCompareTheirCommandsOnly) {
  std::unique_ptr<ZMacro> a = SampleMacro();
  auto b = std::make_unique<ZMacro>();
  b->setName("Another name");
  b->setHotkey(0x0441);
  for (const ZCommand* command : *a) b->append(command->clone());
  EXPECT_TRUE(a->equals(*b));
  EXPECT_TRUE(b->equals(*a));

  b->pop_back();
  b->append(Menu("FX"));
  EXPECT_FALSE(a->equals(*b));
  delete b->back();
  b->pop_back();
  EXPECT_FALSE(a->equals(*b));  // one command fewer

  ZMacro reversed;
  reversed.append(Menu("B"));
  reversed.append(Menu("A"));
  ZMacro ordered;
  ordered.append(Menu("A"));
  ordered.append(Menu("B"));
  EXPECT_FALSE(reversed.equals(ordered));
  EXPECT_TRUE(ZMacro().equals(ZMacro()));
  EXPECT_FALSE(ZMacro().equals(ZWebService()));
}

TEST(ActionEquality, WebServicesCompareTheirSoundsOnly) {
  ZWebService silent;
  silent.setServiceId(1);
  ZWebService alsoSilent;
  alsoSilent.setServiceId(2);
  ZWebService loud;
  loud.setSound(ThemeSound(3));
  ZWebService sameSound;
  sameSound.setSound(ThemeSound(3));
  ZWebService otherSound;
  otherSound.setSound(ThemeSound(4));

  EXPECT_TRUE(silent.equals(alsoSilent));
  EXPECT_FALSE(silent.equals(loud));
  EXPECT_FALSE(loud.equals(silent));
  EXPECT_TRUE(loud.equals(sameSound));
  EXPECT_FALSE(loud.equals(otherSound));
  EXPECT_FALSE(silent.equals(ZMacro()));
}

TEST(ActionCopy, CloneIsDeepAndBelongsToNoPlugin) {
  std::unique_ptr<ZMacro> original = SampleMacro();
  original->setPlugin(reinterpret_cast<ZPlugin*>(original.get()));  // any non-null marker
  std::unique_ptr<ZAction> copy = original->clone();
  EXPECT_EQ(copy->plugin(), nullptr);
  EXPECT_EQ(copy->name(), original->name());
  EXPECT_EQ(copy->hotkey(), original->hotkey());
  ASSERT_TRUE(copy->symbol());
  EXPECT_NE(copy->symbol(), original->symbol());
  EXPECT_TRUE(*copy->symbol() == *original->symbol());

  original->symbol()->shapes()[0].strokes()[0].push_back({1, 1});
  static_cast<ZCommandMenu*>(original->back())->setPath("changed");
  auto& copied = static_cast<ZMacro&>(*copy);
  EXPECT_EQ(copied.symbol()->shapes()[0].strokes()[0].size(), 2u);
  EXPECT_EQ(static_cast<ZCommandMenu*>(copied.back())->path(), "FS");
  EXPECT_NE(copied.back(), original->back());

  ZWebService service;
  service.setSound(ThemeSound(5));
  std::unique_ptr<ZAction> serviceCopy = service.clone();
  EXPECT_NE(static_cast<ZWebService&>(*serviceCopy).sound(), service.sound());
  EXPECT_TRUE(serviceCopy->equals(service));
}

}  // namespace
