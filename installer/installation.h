// One installation from a distribution folder into an installation folder:
// the program tree, the Windows tree with the uninstaller, the registry
// entries, the Start menu shortcuts and the record the uninstaller reads.
#pragma once
#include <windows.h>

#include <string>

// Where the wizard shows how far the installation is; both null when the
// installation runs without a window.
struct ZInstallProgress {
  HWND bar = nullptr;
  HWND status = nullptr;
};

class ZInstallation {
 public:
  // Both folders end in "\". `allUsers` puts the shortcuts into the Start
  // menu of all users, else into the current user's.
  ZInstallation(std::string distributionFolder, std::string installFolder, bool allUsers);

  // Runs every step; a step that fails does not stop the later ones. True
  // when every file, folder, registry value and shortcut was put in place.
  bool run(const ZInstallProgress& progress);

 private:
  void copyUninstaller(class ZTreeCopy& copy);
  bool writeRegistryEntries() const;
  bool createShortcuts(class ZInstallRecord& record) const;
  void showStatus(const ZInstallProgress& progress, UINT stringId) const;

  std::string distribution_;
  std::string installFolder_;
  bool allUsers_;
};
