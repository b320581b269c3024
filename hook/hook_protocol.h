// What Zavotra.exe and our hook library Zavotra.dll exchange: the settings
// record handed to UpdateSettings and the messages the library posts to the
// main window (class "ZavotraClass"). Keep it free of C++ so that windres can
// read it.
#pragma once

#define ZAVOTRA_WINDOW_CLASS "ZavotraClass"
/* The library's own hidden top-level window, which hears of session unlocks
   and resumes (the hooks go in again then) and of the mouse's raw input. */
#define ZAVOTRA_HOOK_WATCH_CLASS "ZavotraHookWatch"

#define WM_HOOK_ENABLE         0x403  /* wParam: capture switched on (non-zero) or off */
#define WM_HOOK_ARM            0x404  /* lParam: point where the drawing button went down */
#define WM_HOOK_STROKE_BEGIN   0x40B  /* lParam: first point of a stroke */
#define WM_HOOK_STROKE_POINT   0x40C  /* lParam: next point of the stroke */
#define WM_HOOK_GESTURE_END    0x40D  /* drawing has finished */
#define WM_HOOK_GESTURE_CANCEL 0x40E  /* the gesture was given up: erase the trail, run nothing */
/* The drawing button went down where capture is off (see
   UpdateCaptureExceptions) and went to the application untouched, with its
   moves and release. wParam: why, one of the reasons below; lParam: the point. */
#define WM_HOOK_CAPTURE_OFF    0x40F
#define HOOK_CAPTURE_OFF_LISTED      1  /* the application is one where capture is off */
#define HOOK_CAPTURE_OFF_FULL_SCREEN 2  /* a full-screen window, while capture pauses there */

/* dwExtraInfo of synthetic input that the hooks must let pass untouched: the
   library marks the clicks it hands back with it, and the program may mark its
   own synthetic mouse input the same way. */
#define ZAVOTRA_INPUT_SIGNATURE 0x5A56544Bu

#ifndef RC_INVOKED
#include <stdint.h>

/* Little-endian, 16 bytes with the final padding. */
typedef struct HookSettings {
  int32_t dragThreshold;  /* DrawingThreshold, pixels */
  int32_t drawButton;     /* 1 left, 0 middle, -1 right */
  int32_t deviceType;     /* passed through unchanged */
  uint8_t userEnable;     /* capture switched on by the user */
  uint8_t notSuspended;   /* capture not suspended by the program itself */
  uint8_t padding[2];     /* never written */
} HookSettings;

#ifdef __cplusplus
static_assert(sizeof(HookSettings) == 16, "HookSettings is a 16-byte record");
#endif

/* Where capture is off: the applications listed, matched by the class and the
   caption of the top-level window under the press as application plug-ins are
   (common/window_rule.h), and, with HOOK_PAUSE_IN_FULL_SCREEN, full-screen
   windows. With the pause on the list means the other way round: the
   applications that keep capture in full screen. The desktop, the shell and
   the host program's own windows never count. The library copies everything
   during the call. */
#define HOOK_PAUSE_IN_FULL_SCREEN 0x1u

typedef struct HookCaptureExceptions {
  uint32_t flags;      /* HOOK_PAUSE_IN_FULL_SCREEN */
  uint32_t count;      /* applications listed */
  const char* texts;   /* `count` pairs of zero-terminated texts: class, caption (system code page) */
  uint32_t textsSize;  /* bytes at `texts`; a pair running past them ends the list */
} HookCaptureExceptions;

#ifdef _WIN32
/* Exports of Zavotra.dll; the caller removes the argument (cdecl). */
typedef void(__cdecl* UpdateSettingsFn)(HookSettings* settings);
typedef void(__cdecl* ReleaseHooksFn)(void);
/* Optional: a library without it captures everywhere. */
typedef void(__cdecl* UpdateCaptureExceptionsFn)(const HookCaptureExceptions* exceptions);
#endif
#endif
