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

bool GestureTracker::onButtonDown(MouseButton button, HookPoint at, const TrackerConfig& config) {
  stopIfCaptureOff(config);
  ctrlTapPending_ = false;  // Ctrl with a click is a combination, not a tap
  if (state_ == State::Idle) {
    if (!config.captureOn() || button != DrawingButtonFromSetting(config.drawButton)) return false;
    if (!sink_.hasTarget()) return false;  // nobody to draw for: leave the click alone
    pressButton_ = button;
    pressPoint_ = lastPoint_ = at;
    state_ = State::Armed;
    sink_.post(WM_HOOK_ARM, 0, PackHookPoint(at));
    return true;
  }
  if (state_ == State::Open && button == pressButton_) {
    // The next stroke of a multi-stroke gesture starts where the button goes down.
    state_ = State::Drawing;
    lastPoint_ = at;
    sink_.post(WM_HOOK_STROKE_BEGIN, 0, PackHookPoint(at));
    return true;
  }
  return false;
}

bool GestureTracker::onButtonUp(MouseButton button, HookPoint at, const TrackerConfig& config) {
  const bool ownsRelease = state_ == State::Armed || state_ == State::Drawing ||
                           state_ == State::SwallowRelease;
  if (!ownsRelease || button != pressButton_) {
    stopIfCaptureOff(config);
    return false;
  }
  switch (state_) {
    case State::Armed:
      // No drag: the application gets its click after all, even when capture
      // went off meanwhile, so that press and release stay in order.
      state_ = State::Idle;
      sink_.replayClick(button, pressPoint_);
      break;
    case State::Drawing:
      lastPoint_ = at;
      if (shiftHeld() && config.captureOn())
        state_ = State::Open;
      else
        endGesture(at);
      break;
    default:
      state_ = State::Idle;  // the release of a press the application never saw
      break;
  }
  return true;
}

void GestureTracker::onMove(HookPoint at, const TrackerConfig& config) {
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

void GestureTracker::onKeyDown(TrackedKey key, const TrackerConfig& config) {
  stopIfCaptureOff(config);
  if (key == TrackedKey::Ctrl) {
    if (!ctrlDown_) ctrlTapPending_ = config.notSuspended;  // auto-repeat keeps the tap
    ctrlDown_ = true;
    return;
  }
  ctrlTapPending_ = false;
  setShift(key, true);
}

void GestureTracker::onKeyUp(TrackedKey key, const TrackerConfig& config) {
  stopIfCaptureOff(config);
  if (key == TrackedKey::Ctrl) {
    const bool tap = ctrlTapPending_ && ctrlDown_ && config.notSuspended && state_ == State::Idle;
    ctrlDown_ = false;
    ctrlTapPending_ = false;
    // The main program owns the flags: it switches them and tells us back
    // through UpdateSettings, so its status and ours never disagree.
    if (tap) sink_.post(WM_HOOK_ENABLE, config.userEnable ? 0 : 1, 0);
    return;
  }
  ctrlTapPending_ = false;
  setShift(key, false);
  if (state_ == State::Open && !shiftHeld()) endGesture(lastPoint_);
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
      endGesture(lastPoint_);
      state_ = State::SwallowRelease;
      break;
    case State::Open:
      endGesture(lastPoint_);
      break;
    default:
      break;
  }
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

void GestureTracker::setShift(TrackedKey key, bool down) {
  if (key == TrackedKey::LeftShift) leftShiftDown_ = down;
  if (key == TrackedKey::RightShift) rightShiftDown_ = down;
}
