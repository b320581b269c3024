// Resource, control and command numbers of ZavotraInstall.exe, named once.
// tools/check_resource_ids.py refuses two of one kind with one number.
#pragma once

// Strings.
#define IDS_INSTALL_TITLE 1             // "Zavotra Installation"
#define IDS_COPYING_FILES 2             // "Copying files..."
#define IDS_UPDATING_REGISTRY 3         // "Updating the registry..."
#define IDS_FOLDER_NOT_USABLE 4         // a folder box that holds no full path

// Icon, bitmap and accelerator table.
#define IDI_INSTALLER 100
#define IDB_WELCOME 110
#define IDR_INSTALL_ACCELERATORS 109

// The wizard's pages.
#define IDD_INSTALL_WELCOME 107
#define IDD_INSTALL_LICENSE 108
#define IDD_INSTALL_FOLDER 109
#define IDD_INSTALL_FINISH 110

// Controls of the pages.
#define IDC_WELCOME_PICTURE 999
#define IDC_LICENSE_TEXT 1000
#define IDC_LICENSE_DISAGREE 1001
#define IDC_LICENSE_AGREE 1002
#define IDC_FOLDER_BROWSE 1003
#define IDC_FOLDER_EDIT 1004
#define IDC_INSTALL_PROGRESS 1005
#define IDC_INSTALL_STATUS 1006
#define IDC_FINISH_ANIMATION 1007

// Commands of the full-screen window.
#define IDM_START_PROGRAM 40002         // Ctrl+Alt+F: start the installed program and end

// Timers.
#define ID_TIMER_ENABLE_FINISH 1        // the last page's Finish button after 32800 ms
