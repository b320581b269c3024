// The hook library's decisions, driven event by event without any hooks.
#include "hook/gesture_tracker.h"

#include <gtest/gtest.h>

#include <functional>
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

size_t CountOf(const std::vector<Posted>& posted, unsigned message) {
  size_t count = 0;
  for (const Posted& p : posted) count += p.message == message;
  return count;
}

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

TEST_F(GestureTrackerTest, CaptureSwitchedOffWhileDrawingCancelsTheGestureAndEatsTheRelease) {
  // Our own Ctrl+V suspends capture: the stroke drawn so far is no gesture.
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  TrackerConfig off = config;
  off.notSuspended = false;
  tracker.onKeyDown(TrackedKey::Ctrl, off);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  tracker.onMove({40, 0}, off);
  const size_t count = sink.posted.size();
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {40, 0}, off));
  EXPECT_EQ(sink.posted.size(), count);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_END), 0u);
  EXPECT_TRUE(tracker.idle());
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {0, 0}, off));
}

TEST_F(GestureTrackerTest, CaptureOffInterruptingAGestureAnywhereCancelsIt) {
  TrackerConfig off = config;
  off.userEnable = false;
  // Noticed at the release itself.
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {30, 0}, off));
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  EXPECT_TRUE(tracker.idle());
  // Between two strokes of a multi-stroke gesture.
  tracker.onKeyDown(TrackedKey::LeftShift, config);
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  tracker.onButtonUp(MouseButton::Right, {30, 0}, config);
  tracker.onMove({50, 50}, off);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  EXPECT_TRUE(tracker.idle());
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_END), 0u);
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

// The release of the drawing button can miss the hooks (released over an
// elevated window, or on the secure desktop). Without it the tracker would
// draw on with the button up and take the next click's release for its own.
TEST_F(GestureTrackerTest, NextPressAfterALostReleaseStartsAfreshAndTheClickStaysWhole) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  tracker.onMove({60, 0}, config);  // ...released here, unseen
  tracker.onMove({90, 40}, config);
  // A new click: the application must get press and release, or neither.
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {90, 40}, config));
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {90, 40}, config));

  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_END), 0u);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_CANCEL), 1u);
  ASSERT_EQ(sink.replayed.size(), 1u);
  EXPECT_EQ(sink.replayed[0].at.x, 90);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_ARM, 90, 40));
  EXPECT_TRUE(tracker.idle());
}

TEST_F(GestureTrackerTest, WitnessedReleaseEndsTheStrokeAtTheNextMove) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config, 1000);
  tracker.onMove({30, 0}, config);
  tracker.onReleaseWitnessed(MouseButton::Right, 1040);
  tracker.onMove({60, 0}, config);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  EXPECT_TRUE(tracker.idle());
  tracker.onMove({90, 0}, config);  // the trail stops with the button
  EXPECT_EQ(sink.posted.back().message, static_cast<unsigned>(WM_HOOK_GESTURE_CANCEL));
  // A later click is the application's whole.
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {90, 0}, config, 1100));
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {90, 0}, config));
  EXPECT_EQ(sink.replayed.size(), 1u);
}

TEST_F(GestureTrackerTest, WitnessedReleaseEndsAPressAtWhateverComesNext) {
  struct Case {
    const char* name;
    std::function<void(GestureTracker&, const TrackerConfig&)> next;
  };
  const Case cases[] = {
      {"move", [](GestureTracker& t, const TrackerConfig& c) { t.onMove({5, 5}, c); }},
      {"wheel", [](GestureTracker& t, const TrackerConfig& c) { t.onOtherInput(); }},
      {"other button", [](GestureTracker& t, const TrackerConfig& c) {
         EXPECT_FALSE(t.onButtonDown(MouseButton::Left, {5, 5}, c));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSink caseSink;
    GestureTracker caseTracker(caseSink);
    caseTracker.onButtonDown(MouseButton::Right, {0, 0}, config, 50);  // armed, no drag
    caseTracker.onReleaseWitnessed(MouseButton::Right, 60);
    c.next(caseTracker, config);
    EXPECT_TRUE(caseTracker.idle());
    EXPECT_TRUE(caseSink.replayed.empty());  // its release went elsewhere: no late click
  }
}

TEST_F(GestureTrackerTest, ReleaseWitnessedAheadOfTheHookOrFromAnEarlierClickChangesNothing) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config, 500);
  tracker.onReleaseWitnessed(MouseButton::Right, 500);  // an earlier click's, reported late
  tracker.onReleaseWitnessed(MouseButton::Right, 499);
  tracker.onReleaseWitnessed(MouseButton::Left, 600);   // not the drawing button
  tracker.onMove({30, 0}, config);
  tracker.onReleaseWitnessed(MouseButton::Right, 700);  // this release, seen before the hook sees it
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {30, 0}, config));

  const std::vector<Posted> expected = {At(WM_HOOK_ARM, 0, 0), At(WM_HOOK_STROKE_BEGIN, 0, 0),
                                        At(WM_HOOK_STROKE_POINT, 30, 0), At(WM_HOOK_GESTURE_END, 30, 0)};
  EXPECT_EQ(sink.posted, expected);
  tracker.onMove({40, 0}, config);
  EXPECT_EQ(sink.posted, expected);
}

TEST_F(GestureTrackerTest, PressAfterAReleaseLostWhileCaptureWasOffIsNotTakenForIt) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  TrackerConfig off = config;
  off.notSuspended = false;
  tracker.onMove({40, 0}, off);  // cancelled; its release is still ours, and gets lost
  // Capture still off: the next click belongs to the application, press and release.
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {40, 0}, off));
  EXPECT_FALSE(tracker.onButtonUp(MouseButton::Right, {40, 0}, off));
  EXPECT_TRUE(tracker.idle());
}

TEST_F(GestureTrackerTest, EscapeWhileDrawingCancelsAndIsSwallowedDownRepeatAndUp) {
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  EXPECT_TRUE(tracker.onKeyDown(TrackedKey::Escape, config));
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  EXPECT_TRUE(tracker.onKeyDown(TrackedKey::Escape, config));  // auto-repeat
  tracker.onMove({60, 0}, config);                               // no longer drawn
  EXPECT_TRUE(tracker.onKeyUp(TrackedKey::Escape, config));
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {60, 0}, config));  // the application never saw the press

  EXPECT_EQ(sink.posted.size(), 4u);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_END), 0u);
  EXPECT_TRUE(sink.replayed.empty());
  EXPECT_TRUE(tracker.idle());
  EXPECT_FALSE(tracker.onKeyDown(TrackedKey::Escape, config));  // no gesture: Esc is the application's
  EXPECT_FALSE(tracker.onKeyUp(TrackedKey::Escape, config));
}

TEST_F(GestureTrackerTest, EscapeBetweenStrokesCancelsAndEscapeBeforeADragPasses) {
  tracker.onKeyDown(TrackedKey::LeftShift, config);
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  tracker.onButtonUp(MouseButton::Right, {30, 0}, config);
  EXPECT_TRUE(tracker.onKeyDown(TrackedKey::Escape, config));
  EXPECT_TRUE(tracker.onKeyUp(TrackedKey::Escape, config));
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  EXPECT_TRUE(tracker.idle());
  tracker.onKeyUp(TrackedKey::LeftShift, config);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_END), 0u);

  sink.posted.clear();
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);  // armed: nothing drawn yet
  EXPECT_FALSE(tracker.onKeyDown(TrackedKey::Escape, config));
  EXPECT_FALSE(tracker.onKeyUp(TrackedKey::Escape, config));
  tracker.onButtonUp(MouseButton::Right, {0, 0}, config);
  EXPECT_EQ(sink.replayed.size(), 1u);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_CANCEL), 0u);
}

TEST_F(GestureTrackerTest, ResetCancelsWhatIsDrawnAndForgetsHeldKeys) {
  tracker.onKeyDown(TrackedKey::LeftShift, config);
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  tracker.reset();  // e.g. the session was locked meanwhile
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_CANCEL, 30, 0));
  EXPECT_TRUE(tracker.idle());
  // Shift went up on the other desktop: a release now ends the gesture.
  tracker.onButtonDown(MouseButton::Right, {0, 0}, config);
  tracker.onMove({30, 0}, config);
  tracker.onButtonUp(MouseButton::Right, {30, 0}, config);
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_END, 30, 0));
  tracker.reset();  // nothing in progress: nothing to say
  EXPECT_EQ(sink.posted.back(), At(WM_HOOK_GESTURE_END, 30, 0));
}

}  // namespace

namespace {
// A sink that says capture is off for presses left of x = 500.
class OffToTheLeftSink : public FakeSink {
 public:
  uint32_t captureOffReason(HookPoint at) override {
    ++asked;
    return at.x < 500 ? HOOK_CAPTURE_OFF_LISTED : 0;
  }
  int asked = 0;
};
}  // namespace

TEST(GestureTrackerCaptureOff, APressWhereCaptureIsOffGoesToTheApplicationWithItsMovesAndRelease) {
  OffToTheLeftSink sink;
  GestureTracker tracker{sink};
  const TrackerConfig config = Enabled();
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {100, 100}, config));
  for (int x = 110; x <= 300; x += 10) tracker.onMove({x, 100}, config);
  EXPECT_FALSE(tracker.onButtonUp(MouseButton::Right, {300, 100}, config));
  EXPECT_TRUE(tracker.idle());
  EXPECT_TRUE(sink.replayed.empty());  // never held back, so nothing to hand back
  ASSERT_EQ(sink.posted.size(), 1u);
  EXPECT_EQ(sink.posted[0], (Posted{WM_HOOK_CAPTURE_OFF, HOOK_CAPTURE_OFF_LISTED, PackHookPoint({100, 100})}));

  // Where capture is on the same drag is a gesture, as ever.
  sink.posted.clear();
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {600, 100}, config));
  for (int x = 610; x <= 800; x += 10) tracker.onMove({x, 100}, config);
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {800, 100}, config));
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_ARM), 1u);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_GESTURE_END), 1u);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_CAPTURE_OFF), 0u);
}

TEST(GestureTrackerCaptureOff, OnlyAPressThatWouldStartAGestureIsAsked) {
  OffToTheLeftSink sink;
  GestureTracker tracker{sink};
  TrackerConfig config = Enabled();
  // Other buttons, and the drawing button while capture is switched off, never look.
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Left, {100, 100}, config));
  EXPECT_FALSE(tracker.onButtonUp(MouseButton::Left, {100, 100}, config));
  config.userEnable = false;
  EXPECT_FALSE(tracker.onButtonDown(MouseButton::Right, {100, 100}, config));
  EXPECT_FALSE(tracker.onButtonUp(MouseButton::Right, {100, 100}, config));
  EXPECT_EQ(sink.asked, 0);

  // The next stroke of an open multi-stroke gesture continues it wherever it starts.
  config = Enabled();
  tracker.onKeyDown(TrackedKey::LeftShift, config);
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {600, 100}, config));
  for (int y = 110; y <= 300; y += 10) tracker.onMove({600, y}, config);
  EXPECT_TRUE(tracker.onButtonUp(MouseButton::Right, {600, 300}, config));  // Shift held: stays open
  EXPECT_EQ(sink.asked, 1);
  EXPECT_TRUE(tracker.onButtonDown(MouseButton::Right, {100, 100}, config));
  EXPECT_EQ(sink.asked, 1);
  EXPECT_EQ(CountOf(sink.posted, WM_HOOK_STROKE_BEGIN), 2u);
}
