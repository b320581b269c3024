// Removing an installation: the files and folders the installer recorded,
// its Start menu shortcuts, its registry entries and those the program wrote
// for itself. The users' profiles stay unless asked for.
#pragma once
#include <string>

class ZUninstaller {
 public:
  enum class Result {
    kRemoved,
    kIncomplete,    // something could not be removed (or there was no record)
    kNotInstalled,  // no installation folder in the registry
    kOddFolder,     // the registry names no usable installation folder
  };

  // Reads the installation folder from the registry.
  ZUninstaller();

  // Whether the registry names an installation, and which.
  bool installed() const { return !installFolder_.empty(); }
  const std::string& installFolder() const { return installFolder_; }

  Result run(bool removeProfiles);

 private:
  bool removeRecordedFiles();
  bool mayRemove(const std::string& path) const;
  void removeShortcuts() const;
  void removeRegistryEntries() const;

  std::string installFolder_;  // ends in "\"; empty when not installed
  bool oddFolder_ = false;
};
