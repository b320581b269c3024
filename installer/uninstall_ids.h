// Resource numbers of ztap_unst.exe, named once.
#pragma once

#define IDS_UNINSTALL_TITLE 1           // "Zavotra Pro Uninstall"
#define IDS_UNINSTALL_CONFIRM 2         // the question before anything is removed
#define IDS_UNINSTALL_PROFILES 3        // whether the users' profiles go too
#define IDS_UNINSTALL_DONE 4
#define IDS_UNINSTALL_INCOMPLETE 5      // some entries could not be removed
#define IDS_UNINSTALL_NOT_INSTALLED 6
#define IDS_UNINSTALL_USAGE 7           // an unknown switch
#define IDS_UNINSTALL_ODD_FOLDER 8      // the registry names no usable folder

#define IDI_UNINSTALLER 100
