// Copying the distribution's trees into place: folders are created, a file
// is copied when it is missing at the destination or older there, and an
// installed file that is as new or newer is left alone.
#pragma once
#include <windows.h>

#include <string>

class ZInstallRecord;

class ZTreeCopy {
 public:
  // `progress` (a progress bar, or null) is stepped once per counted file;
  // every destination file and every folder the copy creates goes into
  // `record`.
  ZTreeCopy(HWND progress, ZInstallRecord& record) : progress_(progress), record_(record) {}

  // Both folders end in "\". False only when the source cannot be listed.
  bool copy(const std::string& source, const std::string& destination);
  // Copies and records one file under the rule above; false when it could
  // not be put in place.
  bool copyFile(const std::string& source, const std::string& destination);
  // Files that could not be put in place and folders that could not be made.
  int failures() const { return failures_; }

 private:
  void step(const std::string& name) const;

  HWND progress_;
  ZInstallRecord& record_;
  int failures_ = 0;
};

// Files named "dummy" hold a folder open in the distribution; they are
// copied but not counted, and do not move the progress bar.
bool IsPlaceholderFile(const char* name);
// The files below `folder` (ending in "\"), recursively, placeholders not counted.
int CountFilesToCopy(const std::string& folder);
// Creates the folder and every missing parent. Folders made here go into
// `record`. True when the folder exists afterwards.
bool CreateFolderWithParents(const std::string& folder, ZInstallRecord& record);
