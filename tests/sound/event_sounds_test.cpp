#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include "actions/command_sound.h"
#include "resources/zavotra_ids.h"
#include "sound/event_sound_names.h"
#include "sound/event_sounds.h"
#include "common/settings.h"
#include "sound/xa_player.h"
#include "sound_files.h"

namespace {

bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return written == text.size();
}

bool Mp3Playing() { return !Mp3Player().waitUntilDone(0); }

// Whether a WAV is playing: PlaySoundA refuses to interrupt one with
// SND_NOSTOP. The probe itself is purged again.
bool WavPlaying(const std::string& probe) {
  const bool started = PlaySoundA(probe.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NODEFAULT);
  if (started) PlaySoundA(nullptr, nullptr, SND_PURGE);
  return !started;
}

TEST(SoundFileKind, ByExtensionInAnyCase) {
  struct Case {
    const char* path;
    SoundFileKind kind;
  };
  const Case cases[] = {
      {"C:\\a\\song.mp3", SoundFileKind::Mp3},  {"C:\\a\\SONG.MP3", SoundFileKind::Mp3},
      {"beep.Wav", SoundFileKind::Wav},         {"C:\\a.mp3\\readme", SoundFileKind::Other},
      {"song.mp3.txt", SoundFileKind::Other},   {"noextension", SoundFileKind::Other},
      {"", SoundFileKind::Other},
  };
  for (const Case& c : cases) EXPECT_EQ(c.kind, SoundFileKindOf(c.path)) << c.path;
}

TEST(EventSoundNames, FixedTableOfSeventyNineEvents) {
  EXPECT_EQ(IDS_EVENT_ZAVOTRA_STARTUP, EventSoundNameId(0));
  EXPECT_EQ(40133, EventSoundNameId(1));
  EXPECT_EQ(40164, EventSoundNameId(32));
  EXPECT_EQ(40166, EventSoundNameId(33));
  EXPECT_EQ(40179, EventSoundNameId(46));
  EXPECT_EQ(40213, EventSoundNameId(kEventSymbolNotRecognized));
  EXPECT_EQ(40215, EventSoundNameId(kEventPluginInstalled));
  EXPECT_EQ(40196, EventSoundNameId(51));
  EXPECT_EQ(40211, EventSoundNameId(66));
  EXPECT_EQ(40277, EventSoundNameId(67));
  EXPECT_EQ(40288, EventSoundNameId(78));
  EXPECT_EQ(0, EventSoundNameId(79));
  char name[64] = {};
  LoadStringA(GetModuleHandleA(nullptr), EventSoundNameId(70), name, sizeof name);
  EXPECT_STREQ("Highlight & Search", name);
  LoadStringA(GetModuleHandleA(nullptr), EventSoundNameId(kEventSymbolNotRecognized), name, sizeof name);
  EXPECT_STREQ("Symbol Not Recognized", name);
  EXPECT_EQ(0, EventSoundNameId(-1));
}

class EventSoundsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = TestFolder();
    theme_ = folder_ + "Theme";
    CreateDirectoryA(theme_.c_str(), nullptr);
    ASSERT_TRUE(WriteSineWav(theme_ + "\\long.wav", 44100 * 20));
    ASSERT_TRUE(WriteSineWav(theme_ + "\\probe.wav", 4410));
    why_ = WhyNoEncoder();
    if (why_.empty() && !EncodeMp3(theme_ + "\\long.wav", theme_ + "\\Song.MP3", "-b 32"))
      why_ = "lame did not produce an MP3 file";
    ASSERT_TRUE(WriteText(theme_ + "\\events", "0\tSong.MP3\n3\tlong.wav\n7\tnotes.txt\n"));
    ASSERT_EQ(0, Mp3Player().create(nullptr));
  }
  void SetUp() override {
    Settings().playSounds = true;
    Settings().playStartSound = true;
  }
  void TearDown() override { EventSounds().stopAll(); }
  void requireMp3() {
    if (!why_.empty()) GTEST_SKIP() << "MP3 part skipped: " << why_;
  }

  static std::string folder_, theme_, why_;
};
std::string EventSoundsTest::folder_, EventSoundsTest::theme_, EventSoundsTest::why_;

TEST_F(EventSoundsTest, ThemeTableMapsEventsToFilesOfTheFolder) {
  ZEventSounds sounds;
  ASSERT_TRUE(sounds.loadTheme(theme_));
  EXPECT_EQ(theme_ + "\\", sounds.themeFolder());
  EXPECT_TRUE(sounds.hasEvent(0));
  EXPECT_TRUE(sounds.hasEvent(3));
  EXPECT_FALSE(sounds.hasEvent(5));
  // An event the theme lacks is silent.
  EXPECT_FALSE(sounds.playEvent(5));
  EXPECT_FALSE(Mp3Playing());
  // A missing table leaves no events.
  EXPECT_FALSE(sounds.loadTheme(folder_ + "No Theme\\"));
  EXPECT_FALSE(sounds.hasEvent(0));
  EXPECT_FALSE(sounds.playEvent(0));
}

TEST_F(EventSoundsTest, CapitalMp3GoesToTheMp3PlayerAndAWavStopsIt) {
  requireMp3();
  ZEventSounds sounds;
  ASSERT_TRUE(sounds.loadTheme(theme_));
  ASSERT_TRUE(sounds.playEvent(0));  // Song.MP3
  EXPECT_TRUE(Mp3Playing());
  EXPECT_TRUE(sounds.playEvent(3));  // long.wav
  EXPECT_FALSE(Mp3Playing());
}

TEST_F(EventSoundsTest, AnMp3StopsAWav) {
  requireMp3();
  ZEventSounds sounds;
  ASSERT_TRUE(sounds.loadTheme(theme_));
  sounds.playFile(theme_ + "\\long.wav");
  if (!WavPlaying(theme_ + "\\probe.wav")) GTEST_SKIP() << "WAV playback ends at once on this sound device";
  sounds.playFile(theme_ + "\\Song.MP3");
  EXPECT_TRUE(Mp3Playing());
  EXPECT_FALSE(WavPlaying(theme_ + "\\probe.wav"));
  sounds.stopAll();
  EXPECT_FALSE(Mp3Playing());
}

TEST_F(EventSoundsTest, OtherExtensionsPlayNothing) {
  requireMp3();
  ZEventSounds sounds;
  ASSERT_TRUE(sounds.loadTheme(theme_));
  ASSERT_TRUE(sounds.playEvent(0));
  EXPECT_TRUE(sounds.playEvent(7));  // notes.txt: ignored, but everything stops first
  EXPECT_FALSE(Mp3Playing());
}

TEST_F(EventSoundsTest, SoundCommandHonoursPlaySounds) {
  requireMp3();
  ZCommandSound command;
  command.setSoundType(ZCommandSound::kFile);
  command.setFilePath(theme_ + "\\Song.MP3");
  Settings().playSounds = false;
  EXPECT_TRUE(command.execute());
  EXPECT_FALSE(Mp3Playing());
  Settings().playSounds = true;
  EXPECT_TRUE(command.execute());
  EXPECT_TRUE(Mp3Playing());
  ZCommandSound stop;
  stop.setSoundType(ZCommandSound::kStop);
  EXPECT_TRUE(stop.execute());
  EXPECT_FALSE(Mp3Playing());
}

TEST_F(EventSoundsTest, StartUpPlaysTheStartSoundOnlyWhenBothSettingsAreOn) {
  requireMp3();
  Settings().soundFolder = "C:\\not the sounds folder";  // the file dialog's folder plays no part
  Settings().soundTheme = "Theme";
  struct Case {
    bool playStartSound, playSounds, plays;
  } cases[] = {{false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start sound " << c.playStartSound << ", sounds " << c.playSounds);
    Settings().playStartSound = c.playStartSound;
    Settings().playSounds = c.playSounds;
    StartSoundPlayback(folder_);
    EXPECT_EQ(theme_ + "\\", EventSounds().themeFolder());
    EXPECT_EQ(c.plays, Mp3Playing());
    StopSoundPlayback();
    EXPECT_FALSE(Mp3Playing());
  }
}

}  // namespace
