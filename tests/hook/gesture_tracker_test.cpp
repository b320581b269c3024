// The hook library's decisions, driven event by event without any hooks.
#include "hook/gesture_tracker.h"

#include <gtest/gtest.h>

#include <vector>

#include "hook/hook_protocol.h"

namespace {

struct Posted {
  unsigned message;
  uintptr_t wParam;
  uint32_t lParam;
  bool operator==(const Posted& other) const {
    return message == other.message && wParam == other.wParam && lParam == other.lParam;
  }
};

struct Replayed {
  MouseButton button;
  HookPoint at;
};

class FakeSink : public TrackerSink {
 public:
  bool target = true;
  std::vector<Posted> posted;
  std::vector<Replayed> replayed;

  bool hasTarget() override { return target; }
  void post(unsigned message, uintptr_t wParam, uint32_t lParam) override {
    posted.push_back({message, wParam, lParam});
  }
  void replayClick(MouseButton button, HookPoint at) override { replayed.push_back({button, at}); }
};

TrackerConfig Enabled(int32_t drawButton = -1, int32_t threshold = 8) {
  TrackerConfig config;
  config.dragThreshold = threshold;
  config.drawButton = drawButton;
  config.userEnable = true;
  config.notSuspended = true;
  return config;
}

Posted At(unsigned message, int x, int y) { return {message, 0, PackHookPoint({x, y})}; }

class GestureTrackerTest : public ::testing::Test {
 protected:
  FakeSink sink;
  GestureTracker tracker{sink};
  TrackerConfig config = Enabled();
};

TEST(PackHookPointTest, KeepsSignedShortsInTheTwoHalves) {
  EXPECT_EQ(PackHookPoint({10, 20}), 0x0014000Au);
  EXPECT_EQ(PackHookPoint({-1, -2}), 0xFFFEFFFFu);
  EXPECT_EQ(PackHookPoint({-1280, 5}), 0x0005FB00u);
}

TEST(DrawingButtonTest, MapsTheSettingValues) {
  EXPECT_EQ(DrawingButtonFromSetting(1), MouseButton::Left);
  EXPECT_EQ(DrawingButtonFromSetting(0), MouseButton::Middle);
  EXPECT_EQ(DrawingButtonFromSetting(-1), MouseButton::Right);
  EXPECT_EQ(DrawingButtonFromSetting(2), MouseButton::None);
  EXPECT_EQ(DrawingButtonFromSetting(-2), MouseButton::None);
}

TEST_F(GestureTrackerTest, DragBeyondThresholdIsOneStrokeFromThePressPoint) {
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {100, 100}, config));
  tracker.onMove({104, 104}, config);  // 5.7 px: still a possible click
  tracker.onMove({110, 100}, config);
  tracker.onMove({120, 90}, config);
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {121, 90}, config));

  const std::vector<Posted> expected = {
      At(WM_HOOK_ARM, 100, 100),          At(WM_HOOK_STROKE_BEGIN, 100, 100),
      At(WM_HOOK_STROKE_POINT, 110, 100), At(WM_HOOK_STROKE_POINT, 120, 90),
      At(WM_HOOK_GESTURE_END, 121, 90)};
  EXPECT_EQ(sink.posted, expected);
  EXPECT_TRUE(sink.replayed.empty());
  EXPECT_TRUE(tracker.idle());
}

TEST_F(GestureTrackerTest, PressWithinThresholdIsReplayedAsAClickAtThePressPoint) {
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {100, 100}, config));
  tracker.onMove({108, 100}, config);  // exactly the threshold is not farther than it
  tracker.onMove({100, 92}, config);
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {100, 92}, config));

  EXPECT_EQ(sink.posted, std::vector<Posted>{At(WM_HOOK_ARM, 100, 100)});
  ASSERT_EQ(sink.replayed.size(), 1u);
  EXPECT_EQ(sink.replayed[0].button, MouseButton::Right);
  EXPECT_EQ(sink.replayed[0].at.x, 100);
  EXPECT_EQ(sink.replayed[0].at.y, 100);
}

TEST_F(GestureTrackerTest, OnlyTheConfiguredButtonIsTaken) {
  struct Case {
    int32_t setting;
    MouseButton pressed;
    bool captured;
  };
  const Case cases[] = {
      {1, MouseButton::Left, true},    {1, MouseButton::Right, false}, {0, MouseButton::Middle, true},
      {0, MouseButton::Left, false},   {-1, MouseButton::Right, true}, {-1, MouseButton::Other, false},
      {7, MouseButton::Other, false},  {7, MouseButton::Right, false},
  };
  for (const Case& c : cases) {
    FakeSink caseSink;
    GestureTracker caseTracker(caseSink);
    const TrackerConfig caseConfig = Enabled(c.setting);
    EXPECT_EQ(caseTracker.onButtonDown(c.pressed, {5, 5}, caseConfig), c.captured) << c.setting;
    EXPECT_EQ(caseSink.posted.size(), c.captured ? 1u : 0u) << c.setting;
    EXPECT_EQ(caseTracker.onButtonUp(c.pressed, {5, 5}, caseConfig), c.captured) << c.setting;
  }
}

TEST_F(GestureTrackerTest, NothingIsTakenWhileAFlagIsOffOrNoMainWindowExists) {
  TrackerConfig userOff = Enabled();
  userOff.userEnable = false;
  TrackerConfig suspended = Enabled();
  suspended.notSuspended = false;
  for (const TrackerConfig& off : {userOff, suspended}) {
    EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {1, 1}, off));
    tracker.onMove({50, 50}, off);
    EXPECT_FALSE(tracker.onButtonUp(MouseButton::Right, {50, 50}, off));
  }
  sink.target = false;
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {1, 1}, config));
  tracker.onMove({50, 50}, config);
  EXPECT_FALSE(tracker.onButtonUp(MouseButton::Right, {50, 50}, config));
  EXPECT_TRUE(sink.posted.empty());
  EXPECT_TRUE(sink.replayed.empty());
}

TEST_F(GestureTrackerTest, ShiftHeldAtReleaseChainsStrokesUntilShiftGoesUp) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({20, 0}, config);
  tracker.onKeyDown(TrackedKey::LeftShift, config);
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {20, 0}, config));
  tracker.onMove({40, 40}, config);  // pen up: not drawn
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {40, 40}, config));
  tracker.onMove({41, 60}, config);  // the next stroke needs no threshold
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {41, 60}, config));
  EXPECT_FALSE(tracker.idle());
  tracker.onKeyUp(TrackedKey::LeftShift, config);

  const std::vector<Posted> expected = {
      At(WM_HOOK_ARM, 0, 0),           At(WM_HOOK_STROKE_BEGIN, 0, 0),
      At(WM_HOOK_STROKE_POINT, 20, 0), At(WM_HOOK_STROKE_BEGIN, 40, 40),
      At(WM_HOOK_STROKE_POINT, 41, 60), At(WM_HOOK_GESTURE_END, 41, 60)};
  EXPECT_EQ(sink.posted, expected);
  EXPECT_TRUE(tracker.idle());
}

TEST_F(GestureTrackerTest, ReleasingWithoutShiftEndsAChainedGesture) {
  tracker.onKeyDown(TrackedKey::RightShift, config);
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({20, 0}, config);
  tracker.onButtonUp(MouseButton::Right, {20, 0}, config);
  tracker.onButtonDown(MouseButton::Right, {0, 30}, config);
  tracker.onMove({20, 30}, config);
  tracker.onKeyUp(TrackedKey::RightShift, config);  // while drawing: the stroke goes on
  EXPECT_EQ(sink.posted.back().message, static_cast<unsigned>(WM_HOOK_STROKE_POINT));
  tracker.onButtonUp(MouseButton::Right, {20, 30}, config);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_END, 20, 30));
  EXPECT_TRUE(tracker.idle());
}

TEST_F(GestureTrackerTest, CtrlTapAsksForTheOppositeState) {
  tracker.onKeyDown(TrackedKey::Ctrl, config);
  tracker.onKeyDown(TrackedKey::Ctrl, config);  // auto-repeat
  tracker.onKeyUp(TrackedKey::Ctrl, config);
  TrackerConfig userOff = config;
  userOff.userEnable = false;
  tracker.onKeyDown(TrackedKey::Ctrl, userOff);
  tracker.onKeyUp(TrackedKey::Ctrl, userOff);

  const std::vector<Posted> expected = {{WM_HOOK_ENABLE, 0, 0}, {WM_HOOK_ENABLE, 1, 0}};
  EXPECT_EQ(sink.posted, expected);
}

TEST_F(GestureTrackerTest, CtrlInACombinationOrWhileSuspendedSwitchesNothing) {
  TrackerConfig suspended = config;
  suspended.notSuspended = false;
  tracker.onKeyDown(TrackedKey::Ctrl, suspended);
  tracker.onKeyUp(TrackedKey::Ctrl, suspended);

  tracker.onKeyDown(TrackedKey::Ctrl, config);
  tracker.onKeyDown(TrackedKey::Other, config);
  tracker.onKeyUp(TrackedKey::Other, config);
  tracker.onKeyUp(TrackedKey::Ctrl, config);

  tracker.onKeyDown(TrackedKey::Ctrl, config);
  tracker.onOtherInput();  // Ctrl+wheel
  tracker.onKeyUp(TrackedKey::Ctrl, config);

  tracker.onKeyDown(TrackedKey::Ctrl, config);
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Left, {1, 1}, config));  // Ctrl+click
  tracker.onButtonUp(MouseButton::Left, {1, 1}, config);
  tracker.onKeyUp(TrackedKey::Ctrl, config);

  tracker.onKeyDown(TrackedKey::Ctrl, config);
  tracker.onKeyDown(TrackedKey::LeftShift, config);
  tracker.onKeyUp(TrackedKey::LeftShift, config);
  tracker.onKeyUp(TrackedKey::Ctrl, config);
  EXPECT_TRUE(sink.posted.empty());
}

TEST_F(GestureTrackerTest, CaptureSwitchedOffWhileDrawingEndsTheGestureAndEatsTheRelease) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  TrackerConfig off = config;
  off.notSuspended = false;
  tracker.onMove({40, 0}, off);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_END, 30, 0));
  const size_t count = sink.posted.size();
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {40, 0}, off));
  EXPECT_EQ(sink.posted.size(), count);
  EXPECT_TRUE(tracker.idle());
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {0, 0}, off));
}

TEST_F(GestureTrackerTest, CaptureSwitchedOffWhileArmedStillEndsInAClick) {
  tracker.onButtonDown(MouseButton::Middle, {7, 8}, Enabled(0));
  TrackerConfig off = Enabled(0);
  off.userEnable = false;
  tracker.onMove({60, 8}, off);  // no stroke while off
  EXPECT_TRUE(sink.replayed.empty());
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Middle, {60, 8}, off));
  EXPECT_EQ(sink.posted, std::vector<Posted>{At(WM_HOOK_ARM, 7, 8)});
  ASSERT_EQ(sink.replayed.size(), 1u);
  EXPECT_EQ(sink.replayed[0].button, MouseButton::Middle);
  EXPECT_EQ(sink.replayed[0].at.x, 7);
  EXPECT_TRUE(tracker.idle());
}

TEST_F(GestureTrackerTest, NegativeThresholdMeansAnyMovementDraws) {
  const TrackerConfig eager = Enabled(-1, -5);
  tracker.onButtonDown(MouseButton::Right, {0, 0}, eager);
  tracker.onMove({0, 0}, eager);
  EXPECT_EQ(sink.posted.size(), 1u);
  tracker.onMove({1, 0}, eager);
  EXPECT_EQ(sink.posted[1], At(WM_HOOK_STROKE_BEGIN, 0, 0));
}

}  // namespace
