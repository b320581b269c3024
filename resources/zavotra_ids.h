// Every resource, control, command and message number of Zavotra.exe, named
// once. Included by the resource scripts and by the code. Keep it free of
// C++ so that windres can read it.
#pragma once

#include "hook/hook_protocol.h"  // messages between Zavotra.dll and the main window

// ---------------------------------------------------------------------------
// Gesture capture and ink trail
// ---------------------------------------------------------------------------
// (gesture capture ids)
#define IDS_HOOK_LIBRARY_MISSING  2    /* "Couldn't find the 'Zavotra.dll' file, ..." */
#define IDS_CAPTURE_ENABLED       20   /* "Zavotra - Use CTRL key to disable" */
#define IDS_CAPTURE_DISABLED      23   /* "Zavotra (disabled)" */
#define IDI_CAPTURE_ENABLED       220  /* tray icon while capture is on */
#define IDI_CAPTURE_DISABLED      104  /* tray icon while capture is off */


// ---------------------------------------------------------------------------
// Symbol files and library
// ---------------------------------------------------------------------------
// (symbol file ids)
#define IDS_SYMBOL_FILE_MISSING      40700  // "Error: this file does not exist."


// ---------------------------------------------------------------------------
// Actions and commands: command names, key names
// ---------------------------------------------------------------------------
// (command ids)
// Display names of the command kinds, shown in the action editor.
#define IDS_COMMAND_HOTKEY   40220
#define IDS_COMMAND_MENU     40221
#define IDS_COMMAND_TEXT     40222
#define IDS_COMMAND_SYSTEM   40223
#define IDS_COMMAND_LAUNCH   40224
#define IDS_COMMAND_SOUND    40225
#define IDS_COMMAND_INTERNET 40226

// Display names of the keys of the key table. The numbers are kept apart from
// the table order: the stored key indices are the file format, the names are
// only looked up through the table.
#define IDS_KEY_CTRL         300
#define IDS_KEY_SHIFT        301
#define IDS_KEY_ALT          302
#define IDS_KEY_BACKSPACE    303
#define IDS_KEY_DELETE       304
#define IDS_KEY_TAB          305
#define IDS_KEY_CLEAR        310
#define IDS_KEY_RETURN       311
#define IDS_KEY_PAUSE        312
#define IDS_KEY_CAPS_LOCK    313
#define IDS_KEY_ESC          314
#define IDS_KEY_CANCEL       315
#define IDS_KEY_SPACE        316
#define IDS_KEY_PREV_PAGE    317
#define IDS_KEY_NEXT_PAGE    318
#define IDS_KEY_HOME         319
#define IDS_KEY_END          320
#define IDS_KEY_LEFT         321
#define IDS_KEY_RIGHT        322
#define IDS_KEY_UP           323
#define IDS_KEY_DOWN         324
#define IDS_KEY_SELECT       325
#define IDS_KEY_EXECUTE      326
#define IDS_KEY_INSERT       327
#define IDS_KEY_HELP         328
#define IDS_KEY_0            329
#define IDS_KEY_1            330
#define IDS_KEY_2            331
#define IDS_KEY_3            332
#define IDS_KEY_4            333
#define IDS_KEY_5            334
#define IDS_KEY_6            335
#define IDS_KEY_7            336
#define IDS_KEY_8            337
#define IDS_KEY_9            338
#define IDS_KEY_A            339
#define IDS_KEY_B            340
#define IDS_KEY_C            341
#define IDS_KEY_D            342
#define IDS_KEY_E            343
#define IDS_KEY_F            344
#define IDS_KEY_G            345
#define IDS_KEY_H            346
#define IDS_KEY_I            347
#define IDS_KEY_J            348
#define IDS_KEY_K            349
#define IDS_KEY_L            350
#define IDS_KEY_M            351
#define IDS_KEY_N            352
#define IDS_KEY_O            353
#define IDS_KEY_P            354
#define IDS_KEY_Q            355
#define IDS_KEY_R            356
#define IDS_KEY_S            357
#define IDS_KEY_T            358
#define IDS_KEY_U            359
#define IDS_KEY_V            360
#define IDS_KEY_W            361
#define IDS_KEY_X            362
#define IDS_KEY_Y            363
#define IDS_KEY_Z            364
#define IDS_KEY_NUMPAD_0     365
#define IDS_KEY_NUMPAD_1     366
#define IDS_KEY_NUMPAD_2     367
#define IDS_KEY_NUMPAD_3     368
#define IDS_KEY_NUMPAD_4     369
#define IDS_KEY_NUMPAD_5     370
#define IDS_KEY_NUMPAD_6     371
#define IDS_KEY_NUMPAD_7     372
#define IDS_KEY_NUMPAD_8     373
#define IDS_KEY_NUMPAD_9     374
#define IDS_KEY_MULTIPLY     375
#define IDS_KEY_ADD          376
#define IDS_KEY_SEPARATOR    377
#define IDS_KEY_SUBTRACT     378
#define IDS_KEY_DECIMAL      379
#define IDS_KEY_DIVIDE       380
#define IDS_KEY_F1           381
#define IDS_KEY_F2           382
#define IDS_KEY_F3           383
#define IDS_KEY_F4           384
#define IDS_KEY_F5           385
#define IDS_KEY_F6           386
#define IDS_KEY_F7           387
#define IDS_KEY_F8           388
#define IDS_KEY_F9           389
#define IDS_KEY_F10          390
#define IDS_KEY_F11          391
#define IDS_KEY_F12          392
#define IDS_KEY_F13          393
#define IDS_KEY_F14          394
#define IDS_KEY_F15          395
#define IDS_KEY_F16          396
#define IDS_KEY_F17          397
#define IDS_KEY_F18          398
#define IDS_KEY_F19          399
#define IDS_KEY_F20          400
#define IDS_KEY_F21          401
#define IDS_KEY_F22          402
#define IDS_KEY_F23          403
#define IDS_KEY_F24          404
#define IDS_KEY_NUM_LOCK     405
#define IDS_KEY_SCROLL_LOCK  406
#define IDS_KEY_NONE         407
#define IDS_KEY_PRINT_SCREEN 408
#define IDS_KEY_LEFT_WIN     413
#define IDS_KEY_RIGHT_WIN    414
#define IDS_KEY_APPS         415
#define IDS_KEY_ATTN         416
#define IDS_KEY_CRSEL        417
#define IDS_KEY_EXSEL        418
#define IDS_KEY_ERASE_EOF    419
#define IDS_KEY_PLAY         420
#define IDS_KEY_ZOOM         421
#define IDS_KEY_PA1          422
#define IDS_KEY_OEM_CLEAR    424


// ---------------------------------------------------------------------------
// Actions: text, system functions, scrolling, launch, sound, internet
// ---------------------------------------------------------------------------
// (execution ids)


// ---------------------------------------------------------------------------
// Sound playback and event sounds
// ---------------------------------------------------------------------------
// (sound ids)


// ---------------------------------------------------------------------------
// Plug-ins
// ---------------------------------------------------------------------------
// (plug-in ids)


// ---------------------------------------------------------------------------
// Application shell: start-up, profiles, main window
// ---------------------------------------------------------------------------
// (shell ids)

