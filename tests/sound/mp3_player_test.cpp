#include <windows.h>

#include <gtest/gtest.h>

#include "sound/event_sounds.h"
#include "sound/xa_player.h"
#include "sound_files.h"

namespace {

constexpr uint32_t kSamples = 44100 * 2;  // two seconds

class Mp3Player : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = TestFolder();
    wav_ = folder_ + "sine.wav";
    mp3_ = folder_ + "sine.mp3";
    ASSERT_TRUE(WriteSineWav(wav_, kSamples));
    why_ = WhyNoEncoder();
    if (why_.empty() && !EncodeMp3(wav_, mp3_)) why_ = "lame did not produce an MP3 file";
  }
  void SetUp() override {
    if (!why_.empty()) GTEST_SKIP() << "MP3 tests skipped: " << why_;
    ASSERT_EQ(0, player_.create(nullptr));
    ASSERT_EQ(0, player_.setUp(XA_Player::kSetUpArgument));
  }

  static std::string folder_, wav_, mp3_, why_;
  XA_Player player_;
};
std::string Mp3Player::folder_, Mp3Player::wav_, Mp3Player::mp3_, Mp3Player::why_;

TEST_F(Mp3Player, DecodesTheWholeFileWithinAFrame) {
  ASSERT_EQ(0, player_.loadFile(mp3_.c_str()));
  ASSERT_EQ(0, player_.play());
  ASSERT_TRUE(player_.waitUntilDone(30000));
  const int64_t decoded = static_cast<int64_t>(player_.lastDecodedSamples());
  // LAME puts 576 samples of delay before the sound and pads the last frame;
  // the summary frame it writes first holds no sound and is not decoded.
  const int64_t expected = kSamples + 576;
  EXPECT_GE(decoded, expected);
  EXPECT_LT(decoded, expected + 1152);
}

TEST_F(Mp3Player, RefusesFilesWithoutMp3Audio) {
  EXPECT_NE(0, player_.loadFile(wav_.c_str()));
  EXPECT_NE(0, player_.loadFile((folder_ + "missing.mp3").c_str()));
  EXPECT_NE(0, player_.play());  // nothing loaded
}

TEST_F(Mp3Player, StopEndsPlaybackAndPlayStartsAgain) {
  ASSERT_EQ(0, player_.loadFile(mp3_.c_str()));
  ASSERT_EQ(0, player_.play());
  EXPECT_EQ(0, player_.stop());
  EXPECT_TRUE(player_.waitUntilDone(0));
  ASSERT_EQ(0, player_.play());
  ASSERT_TRUE(player_.waitUntilDone(30000));
  EXPECT_GE(player_.lastDecodedSamples(), kSamples);
}

TEST(Mp3PlayerNotCreated, RefusesEverything) {
  XA_Player player;
  EXPECT_NE(0, player.setUp(XA_Player::kSetUpArgument));
  EXPECT_NE(0, player.loadFile("C:\\any.mp3"));
  EXPECT_NE(0, player.play());
}

}  // namespace
