// Zip archives on disk: the lists and plug-in packages the web service sends.
// The entries are written below a destination folder given as a full path;
// the process's current folder is never changed, so an extraction is safe
// beside other threads. Progress goes to a progress bar, when there is one:
// PBM_SETRANGE32 with the archive size and PBM_SETPOS 0 at the start, then
// PBM_DELTAPOS with every chunk read (sent for stored entries, posted for
// deflated ones).
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

#include "common/win32_file_handle.h"

class ZZipReader {
 public:
  ZZipReader() = default;
  ZZipReader(const ZZipReader&) = delete;
  ZZipReader& operator=(const ZZipReader&) = delete;

  // Opens the archive for reading and writing without sharing; a missing
  // one is created empty (and extracts to nothing).
  bool open(const std::string& path);
  void close() { file_.reset(); }

  // Creates the destination folder (an existing one is fine) and extracts
  // every entry into it. False when an entry fails; the entries before it
  // stay, the failing one leaves no file.
  bool extractAll(const std::string& destination, HWND progress);

 private:
  ZFileHandle file_;
};

// Writes the bytes to a new temporary file (".z_" prefix, temporary folder),
// extracts it and deletes it. False for no bytes.
bool ExtractZipFromMemory(const void* bytes, size_t size, const std::string& destination, HWND progress);

// A package: the archive is extracted into a work folder beside it (its
// path without the extension), then the "inner.zip" found there into the
// destination. The work folder is removed afterwards, whatever happened.
// Returns the inner extraction's result; a package without "inner.zip"
// extracts successfully to nothing.
bool ExtractZipPackage(const std::string& archivePath, const std::string& destination, HWND progress);
