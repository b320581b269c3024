// Plug-in files through real compound files under Wine: the storage form,
// the older sequential form, protected profiles and new file names.
#include "plugins/plugin.h"

#include <gtest/gtest.h>

#include "actions/command_hotkey.h"
#include "actions/legacy_macro.h"
#include "actions/command_internet.h"
#include "actions/command_launch.h"
#include "actions/command_menu.h"
#include "actions/command_sound.h"
#include "actions/command_system.h"
#include "actions/command_text.h"
#include "actions/macro.h"
#include "actions/sound_and_internet_requests.h"
#include "common/default_key.h"
#include "common/errors.h"
#include "common/file_cipher.h"
#include "common/language_id.h"
#include "common/storage.h"
#include "gesture/first_format.h"
#include "plugins/plugin_folder.h"
#include "tests/plugins/legacy_plugin_bytes.h"
#include "tests/symbols/symbol_samples.h"
#include "tests/support/stream_size_claim.h"
#include "tests/support/temp_copy_test.h"
#include "tests/symbols/test_keys.h"

namespace {

std::unique_ptr<ZMacro> SampleMacro(const std::string& name, uint32_t symbolId) {
  auto macro = std::make_unique<ZMacro>();
  macro->setName(name);
  macro->setHotkey(0x0341);
  auto symbol = std::make_unique<Symbol>(SampleSymbol());
  symbol->setIdentifier(symbolId);
  macro->setSymbol(std::move(symbol));
  auto menu = std::make_unique<ZCommandMenu>();
  menu->setPath("fo");
  macro->append(std::move(menu));
  auto launch = std::make_unique<ZCommandLaunch>();
  launch->setFilePath("C:\\Windows\\notepad.exe");
  launch->setWindowStyle(ZCommandLaunch::kMaximized);
  launch->setWait(true);
  macro->append(std::move(launch));
  return macro;
}

void FillHeader(ZPlugin& plugin) {
  plugin.setId(1234);
  plugin.setName("Word processor");
  plugin.setCompany("Maker");
  plugin.setLanguage(LanguageId::FromName("French"));
  plugin.setCreator("Someone");
  plugin.setCreatorUrl("http://example.com/");
  plugin.setCaption("Word");
  plugin.setKey("OpusApp");
  plugin.setComments("Caf\xE9");
}

void ExpectSameHeader(const ZPlugin& a, const ZPlugin& b) {
  EXPECT_EQ(a.id(), b.id());
  EXPECT_EQ(a.name(), b.name());
  EXPECT_EQ(a.company(), b.company());
  EXPECT_EQ(a.language(), b.language());
  EXPECT_EQ(a.creator(), b.creator());
  EXPECT_EQ(a.creatorUrl(), b.creatorUrl());
  EXPECT_EQ(a.caption(), b.caption());
  EXPECT_EQ(a.key(), b.key());
  EXPECT_EQ(a.comments(), b.comments());
}

void ExpectSameActions(const ZPlugin& read, const ZPlugin& original) {
  ASSERT_EQ(read.actions().size(), original.actions().size());
  for (size_t i = 0; i < read.actions().size(); ++i) {
    const ZAction& a = *read.actions()[i];
    const ZAction& b = *original.actions()[i];
    EXPECT_EQ(a.name(), b.name());
    EXPECT_EQ(a.hotkey(), b.hotkey());
    ASSERT_TRUE(a.symbol());
    EXPECT_TRUE(SameSymbol(*a.symbol(), *b.symbol()));
    EXPECT_TRUE(a.equals(b));
    EXPECT_EQ(a.plugin(), &read);
  }
}

class PluginFileTest : public ZTempCopyTest {
 protected:
  std::string path(const char* name = "p.zta") const { return folder_.file(name); }

  template <typename Fill>
  void buildFile(Fill fill) {
    StoragePtr root = CreateStorageFile(path());
    fill(root.Get());
  }

  static void WriteHeaderStreams(IStorage* root, const char* version = "2.0") {
    WriteVersion(root, L"File Version", version);
    WriteText(root, L"Language", "English");
    WriteText(root, L"Name", "N");
    WriteText(root, L"Caption", "C");
    WriteText(root, L"Key", "K");
    WriteText(root, L"Comments", "");
  }

  static void WriteAction(IStorage* root, int n, const std::string& name) {
    ZMacro macro;
    macro.setName(name);
    macro.setSymbol(std::make_unique<Symbol>(SampleSymbol()));
    macro.save(CreateSubStorage(root, NumberedName(L"Action", n).c_str()).Get(), false);
  }
};

TEST_F(PluginFileTest, NewPluginHasEmptyTextsAndNoIdOrLanguage) {
  ZPlugin plugin;
  EXPECT_EQ(plugin.id(), -1);
  EXPECT_EQ(plugin.language(), -1);
  EXPECT_EQ(plugin.fileName(), "");
  EXPECT_EQ(plugin.name() + plugin.company() + plugin.creator() + plugin.creatorUrl() + plugin.caption() +
                plugin.key() + plugin.comments(),
            "");
  EXPECT_TRUE(plugin.actions().empty());
}

TEST_F(PluginFileTest, SavedPluginReadsBackEqualInHeaderAndActions) {
  ZPlugin original;
  FillHeader(original);
  original.addAction(SampleMacro("First", 7));
  original.addAction(SampleMacro("Second", 8));
  original.saveAs(path(), DefaultKey());
  EXPECT_EQ(original.fileName(), path());

  ZPlugin read;
  read.read(path(), nullptr, DefaultKey());
  EXPECT_EQ(read.fileName(), path());
  ExpectSameHeader(read, original);
  ExpectSameActions(read, original);

  StoragePtr root = OpenStorageFile(path());
  EXPECT_EQ(ReadLiteral(root.Get(), L"File Version"), "2.0");
  EXPECT_EQ(ReadLiteral(root.Get(), L"Language"), "French");
  EXPECT_EQ(ReadLiteral(root.Get(), L"ID"), "1234");

  ZPlugin header;
  header.readHeader(path(), DefaultKey());
  ExpectSameHeader(header, original);
  EXPECT_TRUE(header.actions().empty());
}

TEST_F(PluginFileTest, PluginWithoutActionsReadsBackEmpty) {
  ZPlugin original;
  original.saveAs(path(), DefaultKey());
  ZPlugin read;
  read.addAction(SampleMacro("stale", 1));
  read.read(path(), nullptr, DefaultKey());
  EXPECT_TRUE(read.actions().empty());
  EXPECT_EQ(read.id(), -1);
}

TEST_F(PluginFileTest, ProtectedProfileKeepsTheFileEncryptedAndWipesItsCopies) {
  ZPlugin original;
  FillHeader(original);
  original.addAction(SampleMacro("Secret", 3));
  original.saveAs(path(), ProtectedProfileKey());
  const std::string p = path();
  EXPECT_NE(StgIsStorageFile(std::wstring(p.begin(), p.end()).c_str()), S_OK);

  ZPlugin read;
  read.read(path(), nullptr, ProtectedProfileKey());
  EXPECT_EQ(read.fileName(), path());
  ExpectSameHeader(read, original);
  ExpectSameActions(read, original);
  EXPECT_TRUE(leftovers().empty());

  ZPlugin wrong;
  EXPECT_THROW(wrong.read(path(), nullptr, ProtectedProfileKey(0x22)), ZReadError);
  EXPECT_THROW(wrong.readHeader(path(), DefaultKey()), ZReadError);
  EXPECT_TRUE(leftovers().empty());
  EXPECT_EQ(wrong.fileName(), "");
}

TEST_F(PluginFileTest, MissingIdReadsMinusOneAndIsWrittenBackAsMinusOne) {
  buildFile([](IStorage* root) { WriteHeaderStreams(root); });
  ZPlugin plugin;
  plugin.read(path(), nullptr, DefaultKey());
  EXPECT_EQ(plugin.id(), -1);
  EXPECT_EQ(plugin.company(), "");
  EXPECT_EQ(plugin.creator(), "");
  EXPECT_EQ(plugin.creatorUrl(), "");
  EXPECT_EQ(plugin.language(), LanguageId::FromName("English"));
  plugin.save(DefaultKey());
  StoragePtr root = OpenStorageFile(path());
  EXPECT_EQ(ReadLiteral(root.Get(), L"ID"), "-1");
}

TEST_F(PluginFileTest, LanguageNameInAnotherCaseReadsMinusOneAndIsWrittenEmpty) {
  buildFile([](IStorage* root) {
    WriteHeaderStreams(root);
    WriteText(root, L"Language", "english");
  });
  ZPlugin plugin;
  plugin.read(path(), nullptr, DefaultKey());
  EXPECT_EQ(plugin.language(), -1);
  plugin.save(DefaultKey());
  StoragePtr root = OpenStorageFile(path());
  EXPECT_EQ(ReadLiteral(root.Get(), L"Language"), "");
}

TEST_F(PluginFileTest, VersionAndRequiredStreamsDecideWhetherTheFileReads) {
  struct Case {
    const char* label;
    const char* version;
    const wchar_t* dropped;  // a stream written empty-named instead: left out
    bool reads;
  };
  const Case cases[] = {
      {"2.5", "2.5", nullptr, true},     {"1.0", "1.0", nullptr, false},
      {"3.0", "3.0", nullptr, false},    {"no Name", "2.0", L"Name", false},
      {"no Key", "2.0", L"Key", false},  {"no Language", "2.0", L"Language", false},
      {"no Comments", "2.0", L"Comments", false}, {"no Caption", "2.0", L"Caption", false},
  };
  for (const Case& c : cases) {
    buildFile([&](IStorage* root) {
      WriteHeaderStreams(root, c.version);
      if (c.dropped) root->DestroyElement(c.dropped);
    });
    ZPlugin plugin;
    plugin.setName("untouched");
    if (c.reads) {
      EXPECT_NO_THROW(plugin.read(path(), nullptr, DefaultKey())) << c.label;
    } else {
      EXPECT_THROW(plugin.read(path(), nullptr, DefaultKey()), ZReadError) << c.label;
      EXPECT_EQ(plugin.name(), "untouched") << c.label;
      EXPECT_EQ(plugin.fileName(), "") << c.label;
    }
  }
}

TEST_F(PluginFileTest, ActionListEndsAtTheFirstGapAndSkipsUnreadableActions) {
  buildFile([](IStorage* root) {
    WriteHeaderStreams(root);
    WriteAction(root, 0, "zero");
    WriteAction(root, 2, "two");
  });
  ZPlugin gap;
  gap.read(path(), nullptr, DefaultKey());
  ASSERT_EQ(gap.actions().size(), 1u);
  EXPECT_EQ(gap.actions()[0]->name(), "zero");

  buildFile([](IStorage* root) {
    WriteHeaderStreams(root);
    WriteAction(root, 0, "zero");
    StoragePtr bad = CreateSubStorage(root, L"Action 01");
    WriteText(bad.Get(), L"Name", "no symbol, no type");
    WriteAction(root, 2, "two");
  });
  ZPlugin skipped;
  skipped.read(path(), nullptr, DefaultKey());
  ASSERT_EQ(skipped.actions().size(), 2u);
  EXPECT_EQ(skipped.actions()[1]->name(), "two");
}

TEST_F(PluginFileTest, NewPluginTakesTheLowestFreeNumberInThePluginsFolder) {
  for (const char* name : {"wpu000000.zta", "wpu000002.zta"}) WriteWholeFile(folder_.file(name), {1});
  ZPlugin plugin;
  plugin.setName("new");
  SetCurrentPluginsFolder("");
  EXPECT_THROW(plugin.save(DefaultKey()), ZWriteError);  // no profile folder yet
  EXPECT_EQ(plugin.fileName(), "");
  SetCurrentPluginsFolder(folder_.slashed());
  plugin.save(DefaultKey());
  EXPECT_EQ(plugin.fileName(), folder_.file("wpu000001.zta"));
  ZPlugin read;
  read.readHeader(folder_.file("wpu000001.zta"), DefaultKey());
  EXPECT_EQ(read.name(), "new");
  EXPECT_EQ(NewPluginFilePath(folder_.path()), folder_.file("wpu000003.zta"));
  SetCurrentPluginsFolder("");
}

TEST_F(PluginFileTest, FindsTheFirstActionWithTheSameSymbolWhereverItWasLoadedFrom) {
  ZPlugin plugin;
  plugin.addAction(SampleMacro("a", 5));
  ZAction& second = plugin.addAction(SampleMacro("b", 6));
  plugin.addAction(SampleMacro("c", 6));
  Symbol wanted = SampleSymbol();
  wanted.setIdentifier(6);
  wanted.setPath("C:\\elsewhere.zts");
  EXPECT_EQ(plugin.findActionBySymbol(wanted), &second);
  wanted.setIdentifier(9);
  EXPECT_EQ(plugin.findActionBySymbol(wanted), nullptr);
}

TEST_F(PluginFileTest, AReplacedActionTakesTheOldOnesPlaceAndAStrangerReplacesNothing) {
  ZPlugin plugin;
  plugin.addAction(SampleMacro("a", 5));
  ZAction& old = plugin.addAction(SampleMacro("b", 6));
  plugin.addAction(SampleMacro("c", 7));
  std::unique_ptr<ZAction> replacement = SampleMacro("b2", 6);
  const ZAction* incoming = replacement.get();
  const std::unique_ptr<ZAction> replaced = plugin.replaceAction(&old, replacement);
  ASSERT_EQ(replaced.get(), &old);
  EXPECT_EQ(replaced->plugin(), nullptr);
  EXPECT_EQ(replacement, nullptr);
  ASSERT_EQ(plugin.actions().size(), 3u);
  EXPECT_EQ(plugin.actions()[1].get(), incoming);
  EXPECT_EQ(incoming->plugin(), &plugin);

  std::unique_ptr<ZAction> other = SampleMacro("d", 8);
  EXPECT_EQ(plugin.replaceAction(replaced.get(), other), nullptr);  // no longer in the list
  EXPECT_NE(other, nullptr);                                         // and still the caller's
  EXPECT_EQ(plugin.actions()[1].get(), incoming);
}

// A stream whose directory entry claims 0x90000000 bytes: in the header the
// file is unreadable, in one action only that action is lost; in a protected
// profile no decrypted copy stays behind either way.
TEST_F(PluginFileTest, AHostileStreamSizeCostsItsFileOrItsActionOnly) {
  for (const bool protectedProfile : {false, true}) {
    SCOPED_TRACE(protectedProfile);
    const ZKeyBlock key = protectedProfile ? ProtectedProfileKey() : DefaultKey();
    ZPlugin original;
    FillHeader(original);
    original.addAction(SampleMacro("Kept", 7));
    auto typing = SampleMacro("Hostile", 8);
    auto text = std::make_unique<ZCommandText>();
    text->setText(std::string(5000, 't'));
    typing->append(std::move(text));
    original.addAction(std::move(typing));
    original.addAction(SampleMacro("Also kept", 9));

    original.saveAs(path(), DefaultKey());
    ASSERT_EQ(ClaimStreamSize(path(), L"Text", 0x90000000u), 1);
    if (protectedProfile) ASSERT_TRUE(ZFileCipher::EncryptInPlace(path().c_str(), key));
    ZPlugin plugin;
    plugin.read(path(), nullptr, key);
    ASSERT_EQ(plugin.actions().size(), 2u);
    EXPECT_EQ(plugin.actions()[0]->name(), "Kept");
    EXPECT_EQ(plugin.actions()[1]->name(), "Also kept");

    original.saveAs(path(), DefaultKey());
    ASSERT_EQ(ClaimStreamSize(path(), L"Comments", 0x90000000u), 1);
    if (protectedProfile) ASSERT_TRUE(ZFileCipher::EncryptInPlace(path().c_str(), key));
    ZPlugin header;
    EXPECT_THROW(header.readHeader(path(), key), ZReadError);
    EXPECT_THROW(header.read(path(), nullptr, key), ZReadError);
    EXPECT_TRUE(leftovers().empty());
  }
}

// --- The older sequential form -------------------------------------------

const std::vector<LegacyCommandBytes> kOlderCommands = {
    {0, 0, {"3", "17", "-1", "-1", "-1"}},           // Hotkey
    {2, 1, {"caf\xE9", "second"}},                   // Text
    {4, 1, {"C:\\a.exe", "-x", "C:\\", "1"}},        // Launch, flag 1
    {5, 1, {"0", "9", "C:\\stop.wav", "2"}},         // Sound, d = 2
    {5, 0, {"1", "4", "C:\\theme.wav", "1"}},        // Sound, theme 4 looped
    {5, 1, {"0", "0", "C:\\file.wav", "0"}},         // Sound, file, waits
    {5, 0, {"7", "0", "C:\\x.wav", "0"}},            // Sound, unknown a
    {3, 0, {"6", "120"}},                            // System
    {6, 0, {"1", "me@example.com"}},                 // Internet
    {1, 0, {"eo"}},                                  // Menu
};

template <class Kind>
const Kind& CommandAt(const ZAction& action, size_t index) {
  const auto& macro = dynamic_cast<const ZMacro&>(action);
  auto it = macro.begin();
  std::advance(it, index);
  return dynamic_cast<const Kind&>(**it);
}

TEST_F(PluginFileTest, OlderFileLoadsUnscrambledWithTheOlderCommandRules) {
  LegacyPluginHeader header;
  header.language = "German";
  const Bytes file = LegacyPluginFile(
      header, {LegacyAction("Circle", {10, 20, 30, 40, 0xFF}, "Old one", 3, 0x12340241, kOlderCommands),
               LegacyAction("Line", {0xFF}, "Old two", 0, 0, {})});
  WriteWholeFile(path(), file);
  ZPlugin plugin;
  plugin.read(path(), nullptr, DefaultKey());
  EXPECT_EQ(plugin.name(), "Notepad");
  EXPECT_EQ(plugin.caption(), "Editor");
  EXPECT_EQ(plugin.key(), "NotepadClass");
  EXPECT_EQ(plugin.comments(), "Old comments");
  EXPECT_EQ(plugin.language(), LanguageId::FromName("German"));
  EXPECT_EQ(plugin.id(), 42);
  ASSERT_EQ(plugin.actions().size(), 2u);
  const ZAction& action = *plugin.actions()[0];
  EXPECT_EQ(action.name(), "Old one");
  EXPECT_EQ(action.hotkey(), 0x0241);
  EXPECT_EQ(action.plugin(), &plugin);
  ASSERT_TRUE(action.symbol());
  EXPECT_EQ(action.symbol()->name(), "Circle");
  EXPECT_EQ(action.symbol()->shapes()[0].strokes()[0], (Stroke{{10, 20}, {30, 40}}));
  ASSERT_EQ(dynamic_cast<const ZMacro&>(action).size(), kOlderCommands.size());

  const auto& hotkey = CommandAt<ZCommandHotkey>(action, 0);
  EXPECT_EQ(hotkey.repeat(), 3);
  EXPECT_EQ(hotkey.keys(), (ZCommandHotkey::Keys{17, 0, 0, 0}));
  const auto& text = CommandAt<ZCommandText>(action, 1);
  EXPECT_FALSE(text.useClipboard());
  EXPECT_EQ(text.text(), "caf\xC3\xA9");
  const auto& launch = CommandAt<ZCommandLaunch>(action, 2);
  EXPECT_FALSE(launch.wait());
  EXPECT_EQ(launch.filePath(), "C:\\a.exe");
  EXPECT_EQ(launch.commandLine(), "-x");
  EXPECT_EQ(launch.directory(), "C:\\");
  EXPECT_EQ(launch.windowStyle(), ZCommandLaunch::kMinimized);

  const auto& stop = CommandAt<ZCommandSound>(action, 3);
  EXPECT_EQ(stop.soundType(), ZCommandSound::kStop);
  EXPECT_TRUE(stop.wait());
  const auto& theme = CommandAt<ZCommandSound>(action, 4);
  EXPECT_EQ(theme.soundType(), ZCommandSound::kTheme);
  EXPECT_EQ(theme.index(), 4);
  EXPECT_TRUE(theme.loop());
  EXPECT_FALSE(theme.wait());
  const auto& fileSound = CommandAt<ZCommandSound>(action, 5);
  EXPECT_EQ(fileSound.soundType(), ZCommandSound::kFile);
  EXPECT_EQ(fileSound.filePath(), "C:\\file.wav");
  EXPECT_FALSE(fileSound.loop());
  EXPECT_TRUE(fileSound.wait());
  EXPECT_EQ(CommandAt<ZCommandSound>(action, 6).soundType(), ZCommandSound::kStop);

  const auto& system = CommandAt<ZCommandSystem>(action, 7);
  EXPECT_EQ(system.function(), 6);
  EXPECT_EQ(system.parameter(), 120);
  const auto& internet = CommandAt<ZCommandInternet>(action, 8);
  EXPECT_EQ(internet.function(), ZCommandInternet::kEmail);
  EXPECT_EQ(internet.target(), "me@example.com");
  EXPECT_EQ(CommandAt<ZCommandMenu>(action, 9).path(), "eo");

  EXPECT_TRUE(dynamic_cast<const ZMacro&>(*plugin.actions()[1]).empty());

  // Saved again, the plug-in is in the storage form and reads back the same.
  plugin.save(DefaultKey());
  ZPlugin again;
  again.read(path(), nullptr, DefaultKey());
  ExpectSameHeader(again, plugin);
  ExpectSameActions(again, plugin);
}

// Numbers beyond the int range saturate (never atoi's wrap-around, which
// would turn 2^32 + 1 into Ctrl), a repeat count is capped, and a function
// outside the tables is none: such a command does nothing when run.
TEST_F(PluginFileTest, OlderFileNumbersOutsideTheirRangeAreBoundedOrDoNothing) {
  const std::vector<LegacyCommandBytes> hostile = {
      {0, 0, {"2000000000", "1", "-1", "-1", "-1"}},
      {0, 0, {"99999999999", "4294967297", "-4294967295", "39", "-1"}},
      {3, 0, {"4294967304", "0"}},  // 2^32 + 8 is not Pause
      {6, 0, {"7", "http://example.com/"}},
      {6, 0, {"4294967297", "someone@example.com"}},
      {6, 0, {"-1", "http://example.com/"}},
  };
  WriteWholeFile(path(), LegacyPluginFile({}, {LegacyAction("S", {0xFF}, "hostile", 0, 0, hostile)}));
  ZPlugin plugin;
  plugin.read(path(), nullptr, DefaultKey());
  ASSERT_EQ(plugin.actions().size(), 1u);
  const ZAction& action = *plugin.actions()[0];
  ASSERT_EQ(dynamic_cast<const ZMacro&>(action).size(), hostile.size());

  EXPECT_EQ(CommandAt<ZCommandHotkey>(action, 0).repeat(), kMostHotkeyRepeats);
  EXPECT_EQ(CommandAt<ZCommandHotkey>(action, 0).keys(), (ZCommandHotkey::Keys{1, 0, 0, 0}));
  EXPECT_EQ(CommandAt<ZCommandHotkey>(action, 1).repeat(), kMostHotkeyRepeats);
  EXPECT_EQ(CommandAt<ZCommandHotkey>(action, 1).keys(), (ZCommandHotkey::Keys{0, 0, 39, 0}));
  EXPECT_EQ(CommandAt<ZCommandSystem>(action, 2).function(), ZCommandSystem::kNone);
  for (size_t index = 3; index < hostile.size(); ++index) {
    const auto& internet = CommandAt<ZCommandInternet>(action, index);
    EXPECT_EQ(internet.function(), ZCommandInternet::kNone) << index;
    EXPECT_EQ(InternetRequestUrl(internet.function(), internet.target()), "") << index;  // nothing to open
  }

  // Saved in the storage form, the commands read back the same.
  plugin.save(DefaultKey());
  ZPlugin again;
  again.read(path(), nullptr, DefaultKey());
  ExpectSameActions(again, plugin);
}

TEST_F(PluginFileTest, OlderFileDropsActionsTheReferencePluginAlreadyHas) {
  const std::vector<LegacyCommandBytes> menuOnly = {{1, 0, {"fx"}}};
  const Bytes shared = LegacyAction("Shared", {1, 2, 0xFF}, "dup", 0, 0, menuOnly);
  const Bytes changed = LegacyAction("Shared", {1, 2, 0xFF}, "changed", 0, 0, {{1, 0, {"fy"}}});
  const Bytes otherSymbol = LegacyAction("Other", {1, 2, 0xFF}, "other", 0, 0, menuOnly);
  WriteWholeFile(path(), LegacyPluginFile({}, {shared, changed, otherSymbol}));

  // The reference holds the same action as read from an older file.
  LegacyStream stream(shared);
  ZPlugin common;
  common.addAction(ReadLegacyMacro(stream));

  ZPlugin plugin;
  plugin.read(path(), &common, DefaultKey());
  ASSERT_EQ(plugin.actions().size(), 2u);
  EXPECT_EQ(plugin.actions()[0]->name(), "changed");
  EXPECT_EQ(plugin.actions()[1]->name(), "other");

  ZPlugin unfiltered;
  unfiltered.read(path(), nullptr, DefaultKey());
  EXPECT_EQ(unfiltered.actions().size(), 3u);
}

TEST_F(PluginFileTest, OlderFileHeaderReadAndProtectedProfile) {
  WriteWholeFile(path(), LegacyPluginFile({}, {LegacyAction("S", {0xFF}, "a", 0, 0, {})}));
  ASSERT_TRUE(ZFileCipher::EncryptInPlace(path().c_str(), ProtectedProfileKey()));
  ZPlugin header;
  header.readHeader(path(), ProtectedProfileKey());
  EXPECT_EQ(header.name(), "Notepad");
  EXPECT_TRUE(header.actions().empty());
  ZPlugin full;
  full.read(path(), nullptr, ProtectedProfileKey());
  EXPECT_EQ(full.actions().size(), 1u);
  EXPECT_TRUE(leftovers().empty());
}

TEST_F(PluginFileTest, DamagedOlderFilesFailAndLeaveThePluginAsItWas) {
  const Bytes file = LegacyPluginFile({}, {LegacyAction("S", {5, 5, 0xFF}, "a", 0, 0, kOlderCommands)});
  ZPlugin plugin;
  plugin.setName("kept");
  plugin.addAction(SampleMacro("kept action", 1));
  // Every cut of the older file fails; the storage-form reader never sees it.
  for (size_t cut = 0; cut < file.size(); cut += 13) {
    WriteWholeFile(path(), Bytes(file.begin(), file.begin() + cut));
    EXPECT_THROW(plugin.read(path(), nullptr, DefaultKey()), ZReadError) << cut;
  }
  Bytes unknownKind = LegacyPluginFile({}, {LegacyAction("S", {0xFF}, "a", 0, 0, {{8, 0, {"x"}}})});
  WriteWholeFile(path(), unknownKind);
  EXPECT_THROW(plugin.read(path(), nullptr, DefaultKey()), ZReadError);
  EXPECT_THROW(plugin.read(folder_.file("missing.zta"), nullptr, DefaultKey()), ZReadError);
  EXPECT_EQ(plugin.name(), "kept");
  EXPECT_EQ(plugin.actions().size(), 1u);
  EXPECT_EQ(plugin.fileName(), "");
}

}  // namespace
