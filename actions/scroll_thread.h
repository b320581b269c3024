// The scrolling worker: one background thread, started once at start-up,
// that posts scroll-bar messages to the window with the keyboard focus.
// Commands only set the kind and signal its events; the thread does the rest,
// so that an auto-scroll goes on after the command that started it returned.
#pragma once
#include <windows.h>

enum class ScrollDirection { Vertical, Horizontal };

// Scroll kinds, the parameter of the two scroll functions.
enum ScrollKind : int {
  kScrollAutoBack = 0,     // up / left, repeated until stopped
  kScrollAutoForward = 1,  // down / right, repeated until stopped
  kScrollPageBack = 2,
  kScrollPageForward = 3,
  kScrollLineBack = 4,
  kScrollToEnd = 5,        // "One line Down/Right" goes to the end
  kScrollStop = 6,         // only the end-of-scroll notification, until stopped
  kScrollKindCount = 7
};

// Time between two steps of a repeating scroll, so that an auto-scroll reads
// as scrolling and the thread does not spin.
constexpr DWORD kAutoScrollStepMs = 50;

// Starts the thread and its events; true when it runs (also when it already
// ran). Called once by start-up.
bool StartScrollThread();
// Ends the thread and closes its handles. Called once at shutdown.
void StopScrollThread();

// Sets the kind, locates the target anew and scrolls it. Always true.
bool RequestScroll(ScrollDirection direction, int kind);
// Ends any repeating scroll with an end-of-scroll notification.
bool RequestScrollStop();
// Whether the last request started a repeating scroll that was not stopped.
bool IsAutoScrolling();
