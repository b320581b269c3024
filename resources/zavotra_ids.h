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
#define IDS_CAPTURE_OFF_HERE      41100  /* capture is off for the application under the pointer */
#define IDS_CAPTURE_PAUSED_FULL_SCREEN 41101  /* paused over a full-screen window */
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
// Names of the system functions, as the action editor lists them.
#define IDS_SYSTEM_MAXIMIZE           63
#define IDS_SYSTEM_MINIMIZE           64
#define IDS_SYSTEM_RESTORE            65
#define IDS_SYSTEM_LOGOFF             66
#define IDS_SYSTEM_REBOOT             67
#define IDS_SYSTEM_SHUTDOWN           68
#define IDS_SYSTEM_VERTICAL_SCROLL    69
#define IDS_SYSTEM_HORIZONTAL_SCROLL  70
#define IDS_SYSTEM_PAUSE              71
#define IDS_SYSTEM_SCREEN_SAVER       72
#define IDS_SYSTEM_MONITOR_OFF        100
#define IDS_SYSTEM_MONITOR_ON         101
#define IDS_SYSTEM_NEXT_WINDOW        102
#define IDS_SYSTEM_PREVIOUS_WINDOW    103
#define IDS_SYSTEM_START_MENU         104
#define IDS_SYSTEM_LEFT_CLICK         105
#define IDS_SYSTEM_RIGHT_CLICK        106
#define IDS_SYSTEM_MIDDLE_CLICK       107
#define IDS_SYSTEM_INSERT_DATE        108
#define IDS_SYSTEM_INSERT_TIME        109
#define IDS_SYSTEM_SHOW_WINDOW        111
#define IDS_SYSTEM_SHOW_DESKTOP       112

// Names of the scroll kinds, vertical and horizontal.
#define IDS_SCROLL_LINE_UP            154
#define IDS_SCROLL_LINE_DOWN          155
#define IDS_SCROLL_PAGE_UP            156
#define IDS_SCROLL_PAGE_DOWN          157
#define IDS_SCROLL_AUTO_UP            160
#define IDS_SCROLL_AUTO_DOWN          161
#define IDS_SCROLL_LINE_LEFT          162
#define IDS_SCROLL_LINE_RIGHT         163
#define IDS_SCROLL_PAGE_LEFT          164
#define IDS_SCROLL_PAGE_RIGHT         165
#define IDS_SCROLL_AUTO_LEFT          166
#define IDS_SCROLL_AUTO_RIGHT         167
#define IDS_SCROLL_STOP               168


// ---------------------------------------------------------------------------
// Sound playback and event sounds
// ---------------------------------------------------------------------------
// Names of the event sounds, in event number order (0 to 78).
#define IDS_EVENT_ZAVOTRA_STARTUP            40165
#define IDS_EVENT_CUT                        40133
#define IDS_EVENT_COPY                       40134
#define IDS_EVENT_PASTE                      40135
#define IDS_EVENT_DELETE                     40136
#define IDS_EVENT_UNDO                       40137
#define IDS_EVENT_REDO                       40138
#define IDS_EVENT_NEW                        40139
#define IDS_EVENT_OPEN                       40140
#define IDS_EVENT_SAVE                       40141
#define IDS_EVENT_PRINT                      40142
#define IDS_EVENT_QUIT                       40143
#define IDS_EVENT_HELP                       40144
#define IDS_EVENT_SHOW_ZAVOTRA_WINDOW        40145
#define IDS_EVENT_FIND                       40146
#define IDS_EVENT_SHOW_DESKTOP               40147
#define IDS_EVENT_SELECT_ALL                 40148
#define IDS_EVENT_MINIMIZE                   40149
#define IDS_EVENT_MAXIMIZE                   40150
#define IDS_EVENT_ZOOM_IN                    40151
#define IDS_EVENT_ZOOM_OUT                   40152
#define IDS_EVENT_SIGNATURE                  40153
#define IDS_EVENT_ADDRESS_BOOK               40154
#define IDS_EVENT_PREVIOUS                   40155
#define IDS_EVENT_NEXT                       40156
#define IDS_EVENT_FIRST                      40157
#define IDS_EVENT_LAST                       40158
#define IDS_EVENT_BACK                       40159
#define IDS_EVENT_FORWARD                    40160
#define IDS_EVENT_HOME                       40161
#define IDS_EVENT_UP                         40162
#define IDS_EVENT_DOWN                       40163
#define IDS_EVENT_GO_TO_WEBSITE              40164
#define IDS_EVENT_LAUNCH_APPLICATION         40166
#define IDS_EVENT_REFRESH                    40167
#define IDS_EVENT_SEARCH                     40168
#define IDS_EVENT_FAVORITES                  40169
#define IDS_EVENT_HISTORY                    40170
#define IDS_EVENT_CHANNELS                   40171
#define IDS_EVENT_FULL_SCREEN                40172
#define IDS_EVENT_MAIL                       40173
#define IDS_EVENT_EDIT                       40174
#define IDS_EVENT_STOP                       40175
#define IDS_EVENT_NEWS                       40176
#define IDS_EVENT_CALENDAR                   40177
#define IDS_EVENT_PHONE                      40178
#define IDS_EVENT_INTERNET_CALL              40179
#define IDS_EVENT_SYMBOL_RECOGNIZED          40212
#define IDS_EVENT_SYMBOL_NOT_RECOGNIZED      40213
#define IDS_EVENT_SMARTUPDATE                40214
#define IDS_EVENT_NEW_PLUG_IN_INSTALLED      40215
#define IDS_EVENT_USER_DEFINED_1             40196
#define IDS_EVENT_USER_DEFINED_2             40197
#define IDS_EVENT_USER_DEFINED_3             40198
#define IDS_EVENT_USER_DEFINED_4             40199
#define IDS_EVENT_USER_DEFINED_5             40200
#define IDS_EVENT_USER_DEFINED_6             40201
#define IDS_EVENT_USER_DEFINED_7             40202
#define IDS_EVENT_USER_DEFINED_8             40203
#define IDS_EVENT_USER_DEFINED_9             40204
#define IDS_EVENT_USER_DEFINED_10            40205
#define IDS_EVENT_USER_DEFINED_11            40206
#define IDS_EVENT_USER_DEFINED_12            40207
#define IDS_EVENT_USER_DEFINED_13            40208
#define IDS_EVENT_USER_DEFINED_14            40209
#define IDS_EVENT_USER_DEFINED_15            40210
#define IDS_EVENT_USER_DEFINED_16            40211
#define IDS_EVENT_BOOKMARKS                  40277
#define IDS_EVENT_EXIT                       40278
#define IDS_EVENT_HIGHLIGHT                  40279
#define IDS_EVENT_HIGHLIGHT_SEARCH           40280
#define IDS_EVENT_LOG_IN                     40281
#define IDS_EVENT_LOG_OFF                    40282
#define IDS_EVENT_LOG_ON                     40283
#define IDS_EVENT_PASSWORD                   40284
#define IDS_EVENT_SELECT_SEARCH              40285
#define IDS_EVENT_SHORTCUT                   40286
#define IDS_EVENT_SIGN_IN                    40287
#define IDS_EVENT_TYPE_TEXT                  40288


// ---------------------------------------------------------------------------
// Plug-ins
// ---------------------------------------------------------------------------
// (plug-in ids)
#define IDS_COMMON_ACTIONS           40239  // "Common actions"
#define IDS_SPECIFIC_ACTIONS         40240  // "Specific actions for %s"
#define IDS_NO_SPECIFIC_ACTIONS      40241  // "No specific actions available for this application"
#define IDS_INTERNET_SERVICES        40251  // "Internet Services"
#define IDD_CONNECTING               217    // modeless, while a web-service action starts
#define IDC_CONNECTING_TEXT          1056
// The login dialog of a web-service action whose credentials are missing
#define IDD_SERVICE_LOGIN            231
#define IDC_LOGIN_SERVICES           1202   // combo box of the services, item data the service id
#define IDC_LOGIN_NAME               1203
#define IDC_LOGIN_PASSWORD           1204
// Gesture outcome shown in the tray
#define IDI_ACTION_EXECUTED          1030
#define IDI_SYMBOL_NOT_RECOGNIZED    155
#define ID_EVENT_SYMBOL_NOT_RECOGNIZED 48


// ---------------------------------------------------------------------------
// Editing user interface: the action views
// ---------------------------------------------------------------------------
#define IDR_VIEW_CONTEXT_MENU        276    // "Delete", "Cut", "Copy", "Paste"
#define IDM_VIEW_DELETE              40065
#define IDM_VIEW_CUT                 40066
#define IDM_VIEW_COPY                40067
#define IDM_VIEW_PASTE               40068
#define ID_ACTION_SYMBOL             5009   // item popup: the symbol chosen
#define ID_ACTION_SERVICE            5010   // item popup: the web service entry chosen
#define ID_EDIT_ACTION               5011   // item popup: "Edit..."
#define IDS_CONFIRM_DELETE_ACTION    43     // "Are you sure you want to delete\nthe '%s' action?"
#define IDS_CONFIRM_DELETE_ACTIONS   151    // "Are you sure you want to delete the selected Actions?"
#define IDS_EDIT_ACTION              40246  // "Edit..."
#define IDS_MY_SYMBOLS               40248  // "My Symbols"
#define IDS_ACTION_SYMBOL_MENU       41010  // "Symbol"
#define IDS_ACTION_SERVICE_MENU      41011  // "Web Service"
#define IDS_SAVE_FAILED              41012  // "The plug-in '%s' could not be saved..."


// ---------------------------------------------------------------------------
// Application shell: start-up, profiles, main window
// ---------------------------------------------------------------------------
// (shell ids)
// Strings
#define IDS_ACTION_EXECUTED          21     // "%s executed"
#define IDS_SYMBOL_NOT_RECOGNIZED    22
#define IDS_CONFIRM_EXIT             31
#define IDS_DEFAULT_SOUND_THEME      251
#define IDS_DEFAULT_PROFILE_NAME     40250
#define IDS_APP_TITLE                40900  // "Zavotra", the title of every message box
#define IDS_NO_INTERNET              40901
#define IDS_PASSWORD_NOT_CHANGED     40902  // a password change that could not be made

// Bitmaps and icons. Every one is drawn by tools/make_bitmaps.py.
#define IDB_SPLASH                   271
#define IDB_SKIN                     224    // the main window; pure red outside its shape
#define IDB_VIEW_BACKGROUND          252    // behind the action views, centred in the container
#define IDB_MENU_NORMAL              370
#define IDB_MENU_HOVER               371
#define IDB_MENU_PRESSED             372
#define IDB_SOUND_ON_NORMAL          239
#define IDB_SOUND_ON_HOVER           241
#define IDB_SOUND_ON_PRESSED         238
#define IDB_SOUND_OFF_NORMAL         244
#define IDB_SOUND_OFF_HOVER          240
#define IDB_SOUND_OFF_PRESSED        242
#define IDB_HIDE_NORMAL              237
#define IDB_HIDE_HOVER               236
#define IDB_HIDE_PRESSED             235
#define IDI_ZAVOTRA                  1      // the program's own icon: the lowest number names the file

// Main window: elements, tray icon, tooltips
#define WM_TRAY_NOTIFY               0x402  // 1026, the tray icon's callback message
#define ID_MAIN_MENU_BUTTON          5000
#define ID_SOUND_BUTTON              5001
#define ID_HIDE_BUTTON               5003
#define ID_TRAY_ICON                 5004
#define ID_SERVICES_LABEL            5005
#define ID_COMMON_LABEL              5006
#define ID_APPLICATION_LABEL         5007
#define IDS_TIP_MAIN_MENU            40252  // "Main Menu"
#define IDS_TIP_SOUNDS               40253  // "Sounds On/Off"
#define IDS_TIP_HIDE                 40255  // "Hide Zavotra"
#define IDS_TIP_MAXIMIZE_VIEW        40256  // "Maximize View"
#define IDS_TIP_LOCAL_MENU           40257  // "Local Menu"
#define IDS_CONFIRM_DELETE_PROFILE   41000
#define IDS_CONFIRM_DELETE_PLUGIN    41001
#define IDS_CONFIRM_DELETE_SYMBOL    41002
#define IDS_NO_ENTRIES               41003  // "(none)", the entry of an empty list submenu

// Main window menus: 107 main menu, 267/272/273 the local menus of the
// application, common and services views
#define IDR_MAIN_MENU                107
#define IDR_APPLICATION_MENU         267
#define IDR_COMMON_MENU              272
#define IDR_SERVICES_MENU            273
#define IDD_ABOUT                    288
#define IDC_ABOUT_ICON               1300
#define IDC_ABOUT_VERSION            1301

// Splash screen
#define IDD_SPLASH                   287

// Profiles: password prompt, chooser, editor, change password
#define IDD_PASSWORD                 309
#define IDD_PROFILE_CHOOSER          336
#define IDD_PROFILE_EDITOR           280
#define IDD_CHANGE_PASSWORD          308
#define IDC_PASSWORD_PROMPT          1052   // "Please enter the password for %s :"
#define IDC_PASSWORD_EDIT            1053
#define IDC_PROFILE_NAME             1050
#define IDC_PROFILE_PASSWORD         1055
#define IDC_PROFILE_CONFIRMATION     1089
#define IDC_PROFILE_LIST             1090   // chooser's list and the editor's "Copy settings from :"
#define IDC_PROFILE_PROTECTED        1091
#define IDC_CURRENT_PASSWORD         1099
#define IDC_NEW_PASSWORD             1179
#define IDC_NEW_CONFIRMATION         1180

// Accelerators: carried out by the window with the keyboard focus
#define IDR_ACCELERATORS             190
#define IDM_CUT                      40073
#define IDM_COPY                     40074
#define IDM_PASTE                    40075
#define IDM_DELETE                   40076
#define IDM_EXCHANGE_NOW             40098

// Main window commands. A submenu command (40051, 40052, 40078, 40079,
// 40082, 40083) names the submenu; its entries carry numbers from
// ID_LISTED_FIRST on while the menu is open and, once chosen, are carried
// out as the command after the slash in the comment.
#define IDM_DOWNLOAD_PLUGINS         40036
#define IDM_PASSWORD_MANAGER         40043
#define IDM_PASSWORD_MANAGER_PROFILE 40061
#define IDM_PASSWORD_MANAGER_SERVICES 40095
#define IDM_ABOUT                    40044
#define IDM_EXIT                     40045
#define IDM_HELP                     40046
#define IDM_NEW_SYMBOL               40050
#define IDM_EDIT_SYMBOL              40051  // / 5014
#define IDM_DELETE_SYMBOL            40052  // / 5015
#define IDM_WEB_SITE                 40055
#define IDM_FEEDBACK                 40085
#define IDM_PREFERENCES              40056
#define IDM_NEW_PROFILE              40060
#define IDM_SOUND_THEMES             40062
#define IDM_COMMON_NEW_ACTION        40063
#define IDM_COMMON_DELETE_ACTIONS    40064
#define IDM_NEW_PLUGIN               40077
#define IDM_DELETE_PROFILE           40078  // / 5017
#define IDM_SWITCH_PROFILE           40079  // / 5016
#define IDM_APPLICATION_NEW_ACTION   40080
#define IDM_APPLICATION_DELETE_ACTIONS 40081
#define IDM_DELETE_PLUGIN            40082  // / 5013
#define IDM_SWITCH_PLUGIN            40083  // / 5012
#define IDM_NEW_SERVICE_ACTION       40084
#define IDM_CHANGE_PASSWORD          40086
#define ID_SWITCH_PLUGIN_CHOSEN      5012
#define ID_DELETE_PLUGIN_CHOSEN      5013
#define ID_EDIT_SYMBOL_CHOSEN        5014
#define ID_DELETE_SYMBOL_CHOSEN      5015
#define ID_SWITCH_PROFILE_CHOSEN     5016
#define ID_DELETE_PROFILE_CHOSEN     5017
#define ID_LISTED_FIRST              0x7000  // entries of the submenus filled while a menu is open
#define ID_LISTED_LAST               0x7FFF
#define ID_FEEDBACK_TIMER            2
#define ID_CAPTURE_OFF_TIMER         3      // while the status says why capture is off under the pointer



// ---------------------------------------------------------------------------
// Editing dialogs: plug-in editor, preferences, sound themes
// ---------------------------------------------------------------------------

// Service editor, dialog 209: a new web-service action from the service lists
#define IDD_SERVICE_EDITOR           209
#define IDC_SERVICE_SYMBOL           1033   // the symbol's picture; a click offers the library
#define IDC_SERVICE_TYPE             1053
#define IDC_SERVICE_WEBSITE          1054
#define IDC_SERVICE_COUNTRY          1055
#define IDM_SERVICE_SYMBOL_CHOSEN    4665   // a symbol chosen from the library menu

// Password manager, dialog 307: the stored logins of the web services
#define IDD_PASSWORD_MANAGER         307
#define IDC_PASSWORDS_CLOSE          8
#define IDC_PASSWORDS_DELETE         1036
#define IDC_PASSWORDS_LOGIN          1054
#define IDC_PASSWORDS_PASSWORD       1055
#define IDC_PASSWORDS_WEBSITES       1096

// Plug-in editor, dialog 279
#define IDD_PLUGIN_EDITOR            279
#define IDI_TARGET                   218    // the target pressed and dragged over a window
#define IDC_TARGET_CURSOR            126    // the cursor while pointing at a window
#define IDC_PLUGIN_TARGET            1035
#define IDC_PLUGIN_NAME              1050
#define IDC_PLUGIN_CAPTION           1055   // "Window Title :"
#define IDC_PLUGIN_CREATOR           1076
#define IDC_PLUGIN_LANGUAGE          1077
#define IDC_PLUGIN_COMPANY           1079
#define IDC_PLUGIN_CREATOR_URL       1084
#define IDC_PLUGIN_COMMENTS          1085
#define IDS_PLUGIN_NOT_SAVED         41104  // a new plug-in that could not be written

// Preferences: the sheet and its pages
#define IDS_PREFERENCES              40273  // "Preferences"
#define IDD_PREFS_DRAWING            155
#define IDD_PREFS_MISC               156
#define IDD_PREFS_CAPTURE            4100   // applications where capture is off
#define IDS_DRAW_BUTTON_LEFT         228
#define IDS_DRAW_BUTTON_RIGHT        229
#define IDS_DRAW_BUTTON_MIDDLE       230
#define IDC_DRAW_BUTTON              1014
#define IDC_DRAG_SENSITIVITY         1121
#define IDC_SYMBOL_TOLERANCE         1122
#define IDC_RUN_AT_STARTUP           1123
#define IDC_PLAY_WELCOME_SOUND       1124
#define IDC_START_HIDDEN             1125
#define IDC_AUTO_HIDE                1126
#define IDC_PREFS_DEFAULTS           1127   // on the Drawing and the Misc. page
#define IDC_CAPTURE_OFF_LIST         4101
#define IDC_CAPTURE_OFF_TARGET       4102
#define IDC_CAPTURE_OFF_REMOVE       4103
#define IDC_PAUSE_FULL_SCREEN        4104
#define IDC_CAPTURE_OFF_LABEL        4105
#define IDS_CAPTURE_OFF_LIST_LABEL   41102  // the list while capture does not pause in full screen
#define IDS_CAPTURE_KEPT_LIST_LABEL  41103  // the same list while it does
#define IDC_RECOGNIZER               4106   // "Recognizer :" on the Drawing page
#define IDS_RECOGNIZER_STANDARD      41105  // "Standard (symbol tolerance)"
#define IDS_RECOGNIZER_PRECISE       41106  // "Precise"

// Sound preferences, dialog 282
#define IDD_SOUND_PREFERENCES        282
#define IDB_SOUND_PLAY               192
#define IDB_SOUND_STOP               193
#define IDS_SOUND_NONE               30     // "<none>"
#define IDS_SOUND_FILTER_NAME        57     // "Sounds"
#define IDS_SOUND_FILTER_PATTERN     58     // "*.wav;*.mp3"
#define IDC_SOUND_CLOSE              8      // "&Close"
#define IDC_SOUND_DELETE             1036
#define IDC_SOUND_EVENTS             1057
#define IDC_SOUND_FILES              1058   // "Associated sound :"
#define IDC_SOUND_THEME              1059
#define IDC_SOUND_ADD                1060
#define IDC_SOUND_REMOVE             1061
#define IDC_SOUND_SAVE_AS            1062
#define IDC_SOUND_GET_MORE           1063
#define IDC_SOUND_IMPORT             1064
#define IDC_SOUND_EXPORT             1065
#define IDC_SOUND_PLAY               1076
#define IDC_SOUND_STOP               1077

// ---------------------------------------------------------------------------
// Wizard frame; web exchange and plug-in download
// ---------------------------------------------------------------------------
// Buttons of every wizard dialog (and IDCANCEL), and the placeholder whose
// place the pages take.
#define IDC_WIZARD_FINISH            1022
#define IDC_WIZARD_NEXT              1023
#define IDC_WIZARD_BACK              1027
#define IDC_WIZARD_PAGE_AREA         1296

#define IDD_PLUGIN_DOWNLOAD          270    // the wizard, "Plug-in Download Wizard"
#define IDD_PLUGIN_SELECTION         265    // page 1, "Plug-in selection"
#define IDD_PLUGIN_INSTALLATION      271    // page 2, "Plug-in installation"
#define IDD_DOWNLOAD_PROGRESS        306
#define IDC_DOWNLOAD_BAR             1094
#define IDC_DOWNLOAD_STATUS          1095
#define IDC_SELECTION_LANGUAGE       1077
#define IDC_SELECTION_APPLICATION    1078
#define IDC_SELECTION_COMPANY        1079
#define IDC_SELECTION_COUNT          1028
#define IDC_INSTALLATION_LIST        1072
#define IDC_INSTALLATION_NAME        1050
#define IDC_INSTALLATION_LANGUAGE    1074
#define IDC_INSTALLATION_COMPANY     1075
#define IDC_INSTALLATION_CREATOR     1076
#define IDC_INSTALLATION_ACTIONS     1080
#define IDC_INSTALLATION_INSTALL     1081
#define IDC_INSTALLATION_CREATOR_LABEL 1082
#define IDS_DOWNLOAD_QUESTION        40258  // "Out of the %d plug-ins selected, %d need to be downloaded..."
#define IDS_DOWNLOAD_CONNECTING      40259  // "Connecting to the Zavotra server..."
#define IDS_DOWNLOAD_RECEIVING       40260  // "Receiving files..."
#define IDS_DOWNLOAD_EXTRACTING      40261  // "Extracting files..."
#define IDS_INSTALL_OVERWRITE        40262  // "A plug-in for this application is already installed..."
#define IDS_PLUGIN_INSTALLED         40263  // the notice after an installation
#define ID_EVENT_NEW_PLUGIN_INSTALLED 50

// Symbol editor: the frame "SYMBOLEDIT" with its two steps, the name dialog
#define IDD_SYMBOL_VECTOR_VIEW       114    // step 1, the polyline on the grid
#define IDD_SYMBOL_BITMAP_VIEW       115    // step 2, the 32 x 32 icon
#define IDD_SYMBOL_NAME              222    // "Symbol Name"
#define IDC_SYMBOL_NEXT              1024   // "&Next >>", "&Finish" on the second step
#define IDC_SYMBOL_PREV              1025
#define IDC_SYMBOL_HELP              3
#define IDC_SYMBOL_PAGE_AREA         1139   // where the step's view goes
#define IDC_SYMBOL_DRAWING           1097
#define IDC_SYMBOL_CLEAR             1098
#define IDC_SYMBOL_PAINTING          1069
#define IDC_SYMBOL_RASTERISE         1138   // "Vector -> Bitmap"
#define IDC_SYMBOL_PREVIEW           1073
#define IDC_SYMBOL_IDENTIFIER        1070   // advanced mode only
#define IDC_SYMBOL_SORT_NAME         1071   // advanced mode only
#define IDC_SYMBOL_IDENTIFIER_LABEL  1140
#define IDC_SYMBOL_SORT_NAME_LABEL   1141
#define IDC_SYMBOL_CELL              1142   // "%d,%d" of the cell under the pointer
#define IDC_SYMBOL_NAME              1050
#define IDS_SYMBOL_EDITOR_CAPTION    33     // "Symbol Editor - %sStep %d of %d"
#define IDS_DROP_SHORTCUT_NOWHERE    91     // "This shortcut does not point to any file."
#define IDS_DROP_WRONG_TYPE          93     // "This file type cannot be dragged here."
#define IDS_DROP_ONE_FILE_ONLY       94     // "Only one file can be dragged here."
#define IDS_SYMBOL_FINISH            41400  // "&Finish"
#define IDS_SYMBOL_NEXT              41401  // "&Next >>"
#define IDS_SYMBOL_NOT_SAVED         41402
#define IDS_SYMBOL_CELL_FORMAT       41403  // "%d,%d"

// Popup menus
#define IDD_MENU_WINDOW              208    // the empty window of a popup menu
// ---------------------------------------------------------------------------
// Action wizard: the wizard dialog with its tree, the fifteen pages
// ---------------------------------------------------------------------------
#define IDD_ACTION_WIZARD            129    // "Action edition wizard"
#define IDD_ACTION_HOTKEY_PAGE       130
#define IDD_ACTION_MENU_PAGE         131
#define IDD_ACTION_TEXT_PAGE         132
#define IDD_ACTION_NAME_PAGE         133
#define IDD_ACTION_COMMAND_PAGE      134
#define IDD_ACTION_LAUNCH_PAGE       136
#define IDD_ACTION_SYMBOL_PAGE       138
#define IDD_ACTION_SOUND_PLAY_PAGE   141
#define IDD_ACTION_MISC_PAGE         145
#define IDD_ACTION_SOUND_THEME_PAGE  146
#define IDD_ACTION_SOUND_OPTIONS_PAGE 148
#define IDD_ACTION_APPLICATION_PAGE  149
#define IDD_ACTION_SOUND_STOP_PAGE   154
#define IDD_ACTION_INTERNET_PAGE     295
#define IDD_ACTION_SOUND_PAGE        296
#define IDB_ACTION_DOWN              196
#define IDB_ACTION_UP                197
#define IDB_ACTION_DOWN_GREYED       204
#define IDB_ACTION_UP_GREYED         205
#define IDI_ACTION_ROOT              153    // the tree's "Name", "Symbol" and "Commands"
#define IDI_ACTION_HOTKEY            212
#define IDI_ACTION_MENU              213
#define IDI_ACTION_LAUNCH            214
#define IDI_ACTION_SOUND             215
#define IDI_ACTION_TEXT              216
#define IDI_ACTION_SYSTEM            217
#define IDI_ACTION_INTERNET          223
#define IDS_ACTION_TREE_NAME         40216  // "Name"
#define IDS_ACTION_TREE_SYMBOL       40217  // "Symbol"
#define IDS_ACTION_TREE_COMMANDS     40219  // "Commands"
#define IDS_ACTION_SYSTEM_LABEL      41300  // "%s (%s)": "Misc." and the function
#define IDS_ACTION_STYLE_NORMAL      41301
#define IDS_ACTION_STYLE_MINIMIZED   41302
#define IDS_ACTION_STYLE_MAXIMIZED   41303
#define IDS_ACTION_PROGRAM_FILTER    41304  // the browse filter of the launch page
#define IDS_ACTION_SOUND_FILTER      41305  // the browse filter of the sound page
#define IDC_ACTION_TREE              1100
#define IDC_ACTION_UP                1030
#define IDC_ACTION_DOWN              1031
#define IDC_ACTION_NAME              1050
#define IDC_ACTION_EXISTING_SYMBOL   1099   // "I want to use an existing symbol."
#define IDC_ACTION_NEW_SYMBOL        1043   // "I want to design a new symbol"
#define IDC_ACTION_HOTKEY            1005
#define IDC_ACTION_SYMBOL_PICTURE    1044
#define IDC_ACTION_CHOOSE_APPLICATION 1079
#define IDC_ACTION_CHOOSE_TEXT       1048
#define IDC_ACTION_CHOOSE_SOUND      1038
#define IDC_ACTION_CHOOSE_INTERNET   1045
#define IDC_ACTION_CHOOSE_MISC       1049
#define IDC_ACTION_CHOOSE_VANTEL     1050
#define IDC_ACTION_CHOOSE_LAUNCH     1052
#define IDC_ACTION_CHOOSE_MENU       1078
#define IDC_ACTION_CHOOSE_HOTKEY     1047
#define IDC_ACTION_LAUNCH_FILE       1057
#define IDC_ACTION_LAUNCH_ARGUMENTS  1087
#define IDC_ACTION_LAUNCH_DIRECTORY  1088
#define IDC_ACTION_LAUNCH_STYLE      1034
#define IDC_ACTION_LAUNCH_BROWSE     1040
#define IDC_ACTION_TEXT              1020
#define IDC_ACTION_MENU_PATH         1019
#define IDC_ACTION_KEY_1             1069
#define IDC_ACTION_KEY_2             1065
#define IDC_ACTION_KEY_3             1066
#define IDC_ACTION_KEY_4             1067
#define IDC_ACTION_REPEAT            1028
#define IDC_ACTION_WEBSITE           1034   // "Go to a website"
#define IDC_ACTION_EMAIL             1035   // "Send an e-mail message"
#define IDC_ACTION_URL               1085
#define IDC_ACTION_RECIPIENT         1086
#define IDC_ACTION_MY_SOUND          1038   // "My sound"
#define IDC_ACTION_LIBRARY_SOUND     1066   // "Zavotra sound library"
#define IDC_ACTION_STOP_SOUND        1063   // "Stop"
#define IDC_ACTION_SOUND_FILE        1074
#define IDC_ACTION_SOUND_BROWSE      1075
#define IDC_ACTION_THEME_SOUND       1064
#define IDC_ACTION_LOOP              1072
#define IDC_ACTION_SYNCHRONIZE       1073
#define IDC_ACTION_FUNCTION          1041
#define IDC_ACTION_PARAMETER         1029
#define IDC_ACTION_PARAMETER_LABEL   1039
