// The decisions of the hook library, free of Win32: which input event starts,
// continues, ends or cancels a gesture, which ones are swallowed, and when the
// Ctrl key switches capture. The hook procedures feed it events and carry out
// what it asks through a TrackerSink; it runs on the hook thread only.
#pragma once
#include <cstdint>

// None is what an unknown drawing button setting selects; no event carries it.
enum class MouseButton { Left, Middle, Right, Other, None };
enum class TrackedKey { Ctrl, LeftShift, RightShift, Escape, Other };

struct HookPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The point as the window messages carry it: x in the low 16 bits, y in the
// high 16 bits, each the signed short of the coordinate.
uint32_t PackHookPoint(HookPoint point);

// The drawing button named by the settings value: 1 left, 0 middle, -1 right.
// Any other value selects None, so nothing is captured.
MouseButton DrawingButtonFromSetting(int32_t drawButton);

// A snapshot of the settings the tracker acts on.
struct TrackerConfig {
  int32_t dragThreshold = 8;
  int32_t drawButton = -1;
  bool userEnable = false;
  bool notSuspended = false;

  bool captureOn() const { return userEnable && notSuspended; }
};

// What the tracker needs from the outside world.
class TrackerSink {
 public:
  virtual ~TrackerSink() = default;
  // Whether a main window exists to receive the gesture.
  virtual bool hasTarget() = 0;
  virtual void post(unsigned message, uintptr_t wParam, uint32_t lParam) = 0;
  // Hand a swallowed press and its release back to the system later, marked
  // as ours so that the hooks let them through. Must not block.
  virtual void replayClick(MouseButton button, HookPoint at) = 0;
  // Why capture is off for a press at `at` (a HOOK_CAPTURE_OFF_* reason), or
  // 0 where it is on. Asked only for a press of the drawing button that would
  // start a gesture. Must not block.
  virtual uint32_t captureOffReason(HookPoint at) { return 0; }
};

class GestureTracker {
 public:
  explicit GestureTracker(TrackerSink& sink) : sink_(sink) {}

  // Each bool returns true when the event must be swallowed. `time` is the
  // press's time stamp in milliseconds, as input events carry it; a witnessed
  // release is compared with it.
  bool onButtonDown(MouseButton button, HookPoint at, const TrackerConfig& config, uint32_t time = 0);
  bool onButtonUp(MouseButton button, HookPoint at, const TrackerConfig& config);
  void onMove(HookPoint at, const TrackerConfig& config);
  bool onKeyDown(TrackedKey key, const TrackerConfig& config);
  bool onKeyUp(TrackedKey key, const TrackerConfig& config);
  // Wheel and other buttons' input: breaks a Ctrl tap (Ctrl+wheel zooms).
  void onOtherInput();
  // A witness other than the hooks (the raw input of the mouse) saw the
  // button go up at `time`. A release of the held press that the hooks never
  // report was lost to them (released over an elevated window, or on the
  // secure desktop); the next mouse event ends the press.
  void onReleaseWitnessed(MouseButton button, uint32_t time);
  // The hooks were installed afresh (session unlocked, system resumed): input
  // went by unseen, so whatever was in progress is given up and held keys are
  // forgotten.
  void reset();

  bool idle() const { return state_ == State::Idle; }

 private:
  enum class State {
    Idle,            // no gesture
    Armed,           // drawing button down, not yet dragged beyond the threshold
    Drawing,         // a stroke is being drawn
    Open,            // between two strokes of one gesture (Shift held)
    SwallowRelease,  // the gesture was cancelled while drawing: eat the pending release
  };

  void stopIfCaptureOff(const TrackerConfig& config);
  void resyncLostRelease();
  void abandonHeldPress();
  bool holdsPress() const;
  bool beyondThreshold(HookPoint at, int32_t threshold) const;
  void endGesture(HookPoint at);
  void cancelGesture();
  bool shiftHeld() const { return leftShiftDown_ || rightShiftDown_; }
  void setShift(TrackedKey key, bool down);

  TrackerSink& sink_;
  State state_ = State::Idle;
  MouseButton pressButton_ = MouseButton::None;
  uint32_t pressTime_ = 0;
  HookPoint pressPoint_;
  HookPoint lastPoint_;
  bool releaseWitnessed_ = false;  // the held press went up unseen by the hooks
  bool escapeSwallowed_ = false;   // the Esc that cancelled is held: its repeats and release are ours
  bool leftShiftDown_ = false;
  bool rightShiftDown_ = false;
  bool ctrlTapPending_ = false;
  bool ctrlDown_ = false;
};
