// Names that the installer writes and the uninstaller looks for: registry
// keys and values, the Start menu folder and its shortcuts, and the record of
// the installed files.
#pragma once

constexpr char kVendorKey[] = "SOFTWARE\\Zavotra";
constexpr char kProductKey[] = "SOFTWARE\\Zavotra\\Pro";
constexpr char kAppFolderValue[] = "AppFolder";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zavotra Pro";
constexpr char kProductName[] = "Zavotra Pro";
constexpr char kUninstallerName[] = "ztap_unst.exe";
constexpr char kOlderUninstallerName[] = "zta_unst.exe";

// Written by the installed program itself; the uninstaller takes them away
// when they still name the removed installation.
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Zavotra";
constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zavotra.exe";

constexpr char kStartMenuFolder[] = "Zavotra Pro\\";
constexpr char kProgramShortcut[] = "Zavotra.lnk";
constexpr char kHomePageShortcut[] = "Zavotra Home Page.lnk";
constexpr char kProgramFile[] = "Zavotra.exe";
constexpr char kHomePageFile[] = "system\\Zavotra Home Page.url";
// The profiles the program keeps below the installation folder.
constexpr char kUsersFolder[] = "users\\";

// Every file and folder the installer wrote, one full path a line, folders
// ending in "\"; kept in the installation folder for the uninstaller.
constexpr char kInstallRecordFile[] = "install.log";

// The window class of the running main program.
constexpr char kProgramWindowClass[] = "ZavotraClass";
