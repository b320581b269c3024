#include "hook/gesture_tracker.h"

#include "hook/hook_protocol.h"

uint32_t PackHookPoint(HookPoint point) {
  const auto x = static_cast<uint16_t>(static_cast<int16_t>(point.x));
  const auto y = static_cast<uint16_t>(static_cast<int16_t>(point.y));
  return static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16);
}

MouseButton DrawingButtonFromSetting(int32_t drawButton) {
  switch (drawButton) {
    case 1: return MouseButton::Left;
    case 0: return MouseButton::Middle;
    case -1: return MouseButton::Right;
    default: return MouseButton::None;
  }
}

bool GestureTracker::onButtonDown(MouseButton button, HookPoint at, const TrackerConfig& config, uint32_t time) {
  resyncLostRelease();
  stopIfCaptureOff(config);
  ctrlTapPending_ = false;  // Ctrl with a click is a combination, not a tap
  // A button cannot go down twice: the release of the press we hold never
  // reached us. Start afresh, so that this press and its release go to the
  // same place.
  if (button == pressButton_ && holdsPress()) abandonHeldPress();
  if (state_ == State::Idle) {
    if (!config.captureOn() || button != DrawingButtonFromSetting(config.drawButton)) return false;
    if (!sink_.hasTarget()) return false;  // nobody to draw for: leave the click alone
    if (const uint32_t reason = sink_.captureOffReason(at)) {
      // Not held back at all: the application gets this press at once, and
      // its moves and release, as if we were not there.
      sink_.post(WM_HOOK_CAPTURE_OFF, reason, PackHookPoint(at));
      return false;
    }
    pressButton_ = button;
    pressTime_ = time;
    pressPoint_ = lastPoint_ = at;
    state_ = State::Armed;
    sink_.post(WM_HOOK_ARM, 0, PackHookPoint(at));
    return true;
  }
  if (state_ == State::Open && button == pressButton_) {
    // The next stroke of a multi-stroke gesture starts where the button goes down.
    state_ = State::Drawing;
    pressTime_ = time;
    lastPoint_ = at;
    sink_.post(WM_HOOK_STROKE_BEGIN, 0, PackHookPoint(at));
    return true;
  }
  return false;
}

bool GestureTracker::onButtonUp(MouseButton button, HookPoint at, const TrackerConfig& config) {
  if (!holdsPress() || button != pressButton_) {
    resyncLostRelease();
    stopIfCaptureOff(config);
    return false;
  }
  // Our own release, even if its raw report came first.
  releaseWitnessed_ = false;
  switch (state_) {
    case State::Armed:
      // No drag: the application gets its click after all, even when capture
      // went off meanwhile, so that press and release stay in order.
      state_ = State::Idle;
      sink_.replayClick(button, pressPoint_);
      break;
    case State::Drawing:
      lastPoint_ = at;
      if (!config.captureOn()) {
        cancelGesture();
        state_ = State::Idle;  // this is the release it would have waited for
      } else if (shiftHeld()) {
        state_ = State::Open;
      } else {
        endGesture(at);
      }
      break;
    default:
      state_ = State::Idle;  // the release of a press the application never saw
      break;
  }
  return true;
}

void GestureTracker::onMove(HookPoint at, const TrackerConfig& config) {
  resyncLostRelease();
  stopIfCaptureOff(config);
  if (state_ == State::Armed && config.captureOn() && beyondThreshold(at, config.dragThreshold)) {
    state_ = State::Drawing;
    sink_.post(WM_HOOK_STROKE_BEGIN, 0, PackHookPoint(pressPoint_));
  }
  if (state_ == State::Drawing) {
    lastPoint_ = at;
    sink_.post(WM_HOOK_STROKE_POINT, 0, PackHookPoint(at));
  }
}

void GestureTracker::onOtherInput() {
  resyncLostRelease();
  ctrlTapPending_ = false;
}

bool GestureTracker::onKeyDown(TrackedKey key, const TrackerConfig& config) {
  stopIfCaptureOff(config);
  if (key == TrackedKey::Ctrl) {
    if (!ctrlDown_) ctrlTapPending_ = config.notSuspended;  // auto-repeat keeps the tap
    ctrlDown_ = true;
    return false;
  }
  ctrlTapPending_ = false;
  if (key == TrackedKey::Escape) {
    if (escapeSwallowed_) return true;  // auto-repeat of the Esc that cancelled
    if (state_ != State::Drawing && state_ != State::Open) return false;
    cancelGesture();
    escapeSwallowed_ = true;
    return true;
  }
  setShift(key, true);
  return false;
}

bool GestureTracker::onKeyUp(TrackedKey key, const TrackerConfig& config) {
  stopIfCaptureOff(config);
  if (key == TrackedKey::Ctrl) {
    const bool tap = ctrlTapPending_ && ctrlDown_ && config.notSuspended && state_ == State::Idle;
    ctrlDown_ = false;
    ctrlTapPending_ = false;
    // The main program owns the flags: it switches them and tells us back
    // through UpdateSettings, so its status and ours never disagree.
    if (tap) sink_.post(WM_HOOK_ENABLE, config.userEnable ? 0 : 1, 0);
    return false;
  }
  ctrlTapPending_ = false;
  if (key == TrackedKey::Escape) {
    const bool ours = escapeSwallowed_;
    escapeSwallowed_ = false;
    return ours;
  }
  setShift(key, false);
  if (state_ == State::Open && !shiftHeld()) endGesture(lastPoint_);
  return false;
}

void GestureTracker::onReleaseWitnessed(MouseButton button, uint32_t time) {
  // A release stamped at or before the press belongs to an earlier click
  // whose report came late; the difference is taken so that the tick count
  // may wrap.
  if (holdsPress() && button == pressButton_ && static_cast<int32_t>(time - pressTime_) > 0)
    releaseWitnessed_ = true;
}

void GestureTracker::reset() {
  if (state_ == State::Drawing || state_ == State::Open) cancelGesture();
  state_ = State::Idle;
  pressButton_ = MouseButton::None;
  releaseWitnessed_ = false;
  escapeSwallowed_ = false;
  leftShiftDown_ = rightShiftDown_ = false;
  ctrlDown_ = ctrlTapPending_ = false;
}

void GestureTracker::stopIfCaptureOff(const TrackerConfig& config) {
  if (config.captureOn()) return;
  switch (state_) {
    case State::Armed:
      // The press was swallowed. It goes back as a whole click at the release:
      // handing back the press alone now could reach the application after
      // a release that is already on its way.
      break;
    case State::Drawing:
    case State::Open:
      // Interrupted (our own Ctrl+V, or the user switched capture off): what
      // was drawn so far is no gesture and must never run as one.
      cancelGesture();
      break;
    default:
      break;
  }
}

void GestureTracker::resyncLostRelease() {
  if (!releaseWitnessed_) return;
  releaseWitnessed_ = false;
  if (holdsPress()) abandonHeldPress();
}

void GestureTracker::abandonHeldPress() {
  // Its release went elsewhere: a stroke is cancelled (its end is unknown and
  // pen-up moves may have joined it), an undragged press is not replayed late.
  if (state_ == State::Drawing) cancelGesture();
  state_ = State::Idle;
}

bool GestureTracker::holdsPress() const {
  return state_ == State::Armed || state_ == State::Drawing || state_ == State::SwallowRelease;
}

bool GestureTracker::beyondThreshold(HookPoint at, int32_t threshold) const {
  const int64_t limit = threshold > 0 ? threshold : 0;
  const int64_t dx = static_cast<int64_t>(at.x) - pressPoint_.x;
  const int64_t dy = static_cast<int64_t>(at.y) - pressPoint_.y;
  return dx * dx + dy * dy > limit * limit;
}

void GestureTracker::endGesture(HookPoint at) {
  state_ = State::Idle;
  sink_.post(WM_HOOK_GESTURE_END, 0, PackHookPoint(at));
}

void GestureTracker::cancelGesture() {
  // While drawing the button is still down, and its release is ours to eat.
  state_ = state_ == State::Drawing ? State::SwallowRelease : State::Idle;
  sink_.post(WM_HOOK_GESTURE_CANCEL, 0, PackHookPoint(lastPoint_));
}

void GestureTracker::setShift(TrackedKey key, bool down) {
  if (key == TrackedKey::LeftShift) leftShiftDown_ = down;
  if (key == TrackedKey::RightShift) rightShiftDown_ = down;
}
