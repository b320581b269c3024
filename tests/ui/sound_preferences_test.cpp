// Dialog 282 driven by control ids: the themes of the sounds folder, the 79
// events, the sound of an event selected in the list, several files added
// through the real file dialog and listed once, Remove, and Close with
// another theme making it current so that its sound plays for the next
// event; the choices of sounds are kept in the theme's "events".
#include "ui/sound_preferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "common/app_context.h"
#include "common/id_text_table.h"
#include "common/settings.h"
#include "resources/zavotra_ids.h"
#include "sound/event_sound_names.h"
#include "sound/event_sounds.h"
#include "sound/xa_player.h"
#include "tests/sound/sound_files.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_test_support.h"
#include "ui/dialog_context.h"

namespace {
HWND WaitForSounds() { return WaitForDialog("Sound Preferences", IDC_SOUND_THEME); }

std::vector<std::string> ListTexts(HWND dialog, int id) {
  std::vector<std::string> texts;
  const LRESULT count = SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[512] = {};
    SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}

std::string SelectedText(HWND dialog, int id) {
  const LRESULT selected = SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return "(none selected)";
  char text[512] = {};
  SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
  return text;
}

LRESULT IndexOf(HWND dialog, int id, const std::string& text) {
  const std::vector<std::string> texts = ListTexts(dialog, id);
  const auto found = std::find(texts.begin(), texts.end(), text);
  return found == texts.end() ? LB_ERR : found - texts.begin();
}

void ChooseTheme(HWND dialog, const char* name) {
  const LRESULT index = SendDlgItemMessageA(dialog, IDC_SOUND_THEME, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(name));
  ChooseItem(dialog, IDC_SOUND_THEME, index);
}

std::multiset<std::string> Sorted(const std::vector<std::string>& texts) { return {texts.begin(), texts.end()}; }

// The file dialog of Add, answered with these names typed into its file name field.
bool AnswerOpenDialog(const std::string& names) {
  HWND open = WaitForDialog("Open", 0);
  if (!open) return false;
  HWND field = GetDlgItem(open, 0x47C);  // cmb13, the explorer-style name box
  if (!field) field = GetDlgItem(open, 0x480);  // edt1
  if (!field) return false;
  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
  PostMessageA(open, WM_COMMAND, IDOK, 0);
  return WaitFor([&] { return !IsWindow(open); });
}

class SoundPreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Settings();
    DialogContext().soundsFolder = sounds.slashed();
    DialogContext().settingsChanged = [this] { ++notified; };
    for (const char* theme : {"Alpha", "Beta"}) CreateDirectoryA(sounds.file(theme).c_str(), nullptr);
    TempFolder::Write(alpha("one.wav"), "RIFF one");
    TempFolder::Write(alpha("two.MP3"), "ID3 two");
    TempFolder::Write(alpha("notes.txt"), "not a sound");
    TempFolder::Write(alpha("events"), "0\tone.wav\n48\tgone.wav\n");
    TempFolder::Write(picks.file("a.wav"), "RIFF a");
    TempFolder::Write(picks.file("b.mp3"), "ID3 b");
    TempFolder::Write(picks.file("one.wav"), "RIFF a newer one");
    Settings().soundTheme = "Alpha";
    Settings().soundFolder = picks.slashed();
  }
  void TearDown() override {
    DialogContext().settingsChanged = nullptr;
    EventSounds().stopAll();
    Settings() = saved_;
  }
  std::string alpha(const char* name) const { return sounds.file("Alpha") + "\\" + name; }
  std::string beta(const char* name) const { return sounds.file("Beta") + "\\" + name; }

  TempFolder sounds;
  TempFolder picks;
  int notified = 0;

 private:
  ZSettings saved_;
};
}  // namespace

TEST_F(SoundPreferencesTest, TheCurrentThemeIsShownWithItsSoundsAndEachEventSelectsItsOwn) {
  struct Seen {
    LRESULT themes = -1;
    std::string theme;
    std::vector<std::string> events, soundsShown;
    bool soundListOffAtFirst = false, soundListOnForEvent = false, stillDisabled[5] = {};
    std::string forStartup, forMissing, forNone;
  } seen;
  std::thread user([&] {
    HWND dialog = WaitForSounds();
    if (!dialog) return;
    seen.themes = SendDlgItemMessageA(dialog, IDC_SOUND_THEME, CB_GETCOUNT, 0, 0);
    char theme[64] = {};
    GetDlgItemTextA(dialog, IDC_SOUND_THEME, theme, sizeof theme);
    seen.theme = theme;
    seen.events = ListTexts(dialog, IDC_SOUND_EVENTS);
    seen.soundsShown = ListTexts(dialog, IDC_SOUND_FILES);
    seen.soundListOffAtFirst = !ItemEnabled(dialog, IDC_SOUND_FILES);
    const int disabled[] = {IDC_SOUND_GET_MORE, IDC_SOUND_SAVE_AS, IDC_SOUND_DELETE, IDC_SOUND_IMPORT, IDC_SOUND_EXPORT};
    for (int i = 0; i < 5; ++i) seen.stillDisabled[i] = !ItemEnabled(dialog, disabled[i]);
    ChooseItem(dialog, IDC_SOUND_EVENTS, 0, true);
    seen.soundListOnForEvent = ItemEnabled(dialog, IDC_SOUND_FILES);
    seen.forStartup = SelectedText(dialog, IDC_SOUND_FILES);
    ChooseItem(dialog, IDC_SOUND_EVENTS, kEventSymbolNotRecognized, true);  // names a file not in the folder
    seen.forMissing = SelectedText(dialog, IDC_SOUND_FILES);
    ChooseItem(dialog, IDC_SOUND_EVENTS, 5, true);  // no entry at all
    seen.forNone = SelectedText(dialog, IDC_SOUND_FILES);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Escape closes like Close
  });
  EXPECT_FALSE(OpenSoundPreferences(nullptr));
  user.join();
  EXPECT_EQ(seen.themes, 2);
  EXPECT_EQ(seen.theme, "Alpha");
  ASSERT_EQ(seen.events.size(), 79u);
  EXPECT_EQ(seen.events[0], "Zavotra Startup");
  EXPECT_EQ(seen.events[48], "Symbol Not Recognized");
  EXPECT_EQ(seen.events[78], "Type Text");
  ASSERT_FALSE(seen.soundsShown.empty());
  EXPECT_EQ(seen.soundsShown[0], "<none>");
  EXPECT_EQ(Sorted(seen.soundsShown), (std::multiset<std::string>{"<none>", "one.wav", "two.MP3"}));
  EXPECT_TRUE(seen.soundListOffAtFirst);
  for (bool off : seen.stillDisabled) EXPECT_TRUE(off);
  EXPECT_TRUE(seen.soundListOnForEvent);
  EXPECT_EQ(seen.forStartup, "one.wav");
  EXPECT_EQ(seen.forMissing, "<none>");
  EXPECT_EQ(seen.forNone, "<none>");
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(Settings().soundTheme, "Alpha");
}

TEST_F(SoundPreferencesTest, SeveralFilesChosenInAddAreAllCopiedAndListedOnce) {
  struct Seen {
    bool answered = false;
    std::vector<std::string> soundsShown;
  } seen;
  std::thread user([&] {
    HWND dialog = WaitForSounds();
    if (!dialog) return;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SOUND_ADD, BN_CLICKED), 0);
    seen.answered = AnswerOpenDialog("\"a.wav\" \"b.mp3\" \"one.wav\"");
    WaitFor([&] { return ListTexts(dialog, IDC_SOUND_FILES).size() == 5; });
    seen.soundsShown = ListTexts(dialog, IDC_SOUND_FILES);
    PostMessageA(dialog, WM_COMMAND, IDC_SOUND_CLOSE, 0);
  });
  EXPECT_TRUE(OpenSoundPreferences(nullptr));
  user.join();
  ASSERT_TRUE(seen.answered);
  EXPECT_EQ(Sorted(seen.soundsShown), (std::multiset<std::string>{"<none>", "one.wav", "two.MP3", "a.wav", "b.mp3"}));
  EXPECT_EQ(TempFolder::Read(alpha("a.wav")), "RIFF a");
  EXPECT_EQ(TempFolder::Read(alpha("b.mp3")), "ID3 b");
  EXPECT_EQ(TempFolder::Read(alpha("one.wav")), "RIFF a newer one");  // copied again, replacing
  EXPECT_EQ(Settings().soundFolder, picks.slashed());
}

TEST_F(SoundPreferencesTest, RemoveDeletesTheFileAndNoEventKeepsNamingIt) {
  struct Seen {
    std::vector<std::string> soundsShown;
    std::string selectedAfter;
  } seen;
  std::thread user([&] {
    HWND dialog = WaitForSounds();
    if (!dialog) return;
    ChooseItem(dialog, IDC_SOUND_EVENTS, 0, true);  // one.wav
    Click(dialog, IDC_SOUND_REMOVE);
    seen.soundsShown = ListTexts(dialog, IDC_SOUND_FILES);
    seen.selectedAfter = SelectedText(dialog, IDC_SOUND_FILES);
    PostMessageA(dialog, WM_COMMAND, IDC_SOUND_CLOSE, 0);
  });
  EXPECT_TRUE(OpenSoundPreferences(nullptr));
  user.join();
  EXPECT_FALSE(TempFolder::Exists(alpha("one.wav")));
  EXPECT_EQ(Sorted(seen.soundsShown), (std::multiset<std::string>{"<none>", "two.MP3"}));
  EXPECT_EQ(seen.selectedAfter, "<none>");
  ZIdTextTable events;
  ASSERT_TRUE(events.read(alpha("events").c_str()));
  EXPECT_EQ(events.find(0), nullptr);
  ASSERT_NE(events.find(48), nullptr);  // an entry nobody touched stays
}

TEST_F(SoundPreferencesTest, CloseWithAnotherThemeMakesItCurrentAndItsSoundPlaysForTheNextEvent) {
  const std::string why = WhyNoEncoder();
  const bool mp3 = why.empty() && WriteSineWav(picks.file("sine.wav"), 11025) &&
                   EncodeMp3(picks.file("sine.wav"), beta("miss.mp3"));
  TempFolder::Write(beta("hello.wav"), "RIFF hello");
  if (!mp3) TempFolder::Write(beta("miss.mp3"), "ID3 not really");
  TempFolder::Write(beta("events"), "0\thello.wav\n");
  ASSERT_EQ(0, Mp3Player().create(nullptr));
  EventSounds().loadTheme(sounds.file("Alpha"));
  struct Seen {
    std::vector<std::string> soundsShown;
    std::string forStartup;
  } seen;
  std::thread user([&] {
    HWND dialog = WaitForSounds();
    if (!dialog) return;
    ChooseTheme(dialog, "Beta");
    seen.soundsShown = ListTexts(dialog, IDC_SOUND_FILES);
    ChooseItem(dialog, IDC_SOUND_EVENTS, 0, true);
    seen.forStartup = SelectedText(dialog, IDC_SOUND_FILES);
    ChooseItem(dialog, IDC_SOUND_EVENTS, kEventSymbolNotRecognized, true);
    ChooseItem(dialog, IDC_SOUND_FILES, IndexOf(dialog, IDC_SOUND_FILES, "miss.mp3"), true);
    PostMessageA(dialog, WM_COMMAND, IDC_SOUND_CLOSE, 0);
  });
  EXPECT_TRUE(OpenSoundPreferences(nullptr));
  user.join();
  EXPECT_EQ(Sorted(seen.soundsShown), (std::multiset<std::string>{"<none>", "hello.wav", "miss.mp3"}));
  EXPECT_EQ(seen.forStartup, "hello.wav");
  EXPECT_EQ(Settings().soundTheme, "Beta");
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(EventSounds().themeFolder(), sounds.file("Beta") + "\\");
  // The choice lasts: it is in the theme's own table now.
  ZIdTextTable events;
  ASSERT_TRUE(events.read(beta("events").c_str()));
  ASSERT_NE(events.find(kEventSymbolNotRecognized), nullptr);
  EXPECT_EQ(*events.find(kEventSymbolNotRecognized), "miss.mp3");
  EXPECT_EQ(TempFolder::Read(alpha("events")), "0\tone.wav\n48\tgone.wav\n");  // untouched theme, untouched file

  ASSERT_TRUE(EventSounds().playEvent(kEventSymbolNotRecognized));
  if (!mp3) GTEST_SKIP() << "the sound itself is not played: " << (why.empty() ? "lame made no MP3" : why);
  EXPECT_TRUE(Mp3Player().waitUntilDone(10000));
  EXPECT_GT(Mp3Player().lastDecodedSamples(), 0u);
}
