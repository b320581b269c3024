// Saving a file so that no failure can cost the previous one: the finished
// content goes to a temporary file in the target's folder, is flushed to the
// disk, and only then takes the target's place in one step (MoveFileEx with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). A full disk, a crash or
// another program holding the target leaves either the old file or the new
// one, never a part of either.
//
// The temporary files are named "~zv*.tmp": none of the program's folder
// scans ("*.zta", "*.zts", profile folders) takes them for data, the profile
// walks skip them, and start-up removes those an earlier run left behind.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ZFileReplacement {
 public:
  // Writes `size` bytes to a new temporary file beside `target` and flushes
  // them; ready() tells whether that worked. The target is not touched yet.
  ZFileReplacement(const std::string& target, const void* data, size_t size);
  ZFileReplacement(ZFileReplacement&& other) noexcept;
  ZFileReplacement& operator=(ZFileReplacement&&) = delete;
  ZFileReplacement(const ZFileReplacement&) = delete;
  ZFileReplacement& operator=(const ZFileReplacement&) = delete;
  // Deletes the temporary file unless it was committed.
  ~ZFileReplacement();

  bool ready() const { return !temporary_.empty(); }
  // Puts the new content in the target's place. False, with the target as it
  // was, when it cannot be replaced (held open by another program, say).
  bool commit();
  const std::string& target() const { return target_; }

 private:
  void discard();

  std::string target_;
  std::string temporary_;
};

// Writes the whole content and replaces `target` with it; false leaves the
// previous file (or its absence) exactly as it was.
bool ReplaceFileContent(const std::string& target, const void* data, size_t size);
bool ReplaceFileContent(const std::string& target, const std::vector<uint8_t>& content);
bool ReplaceFileContent(const std::string& target, const std::string& content);

// True for the name (no folder) of a temporary file made here.
bool IsReplacementFileName(const char* name);
// Removes, in `folder` and below it, the temporary files of saves that an
// earlier run left behind: those named as above and last written before
// `startedAt` (the start of this process), so a save under way is never hit.
void RemoveStaleReplacementFiles(const std::string& folder, const FILETIME& startedAt);

// When this process started: what was written before it is an earlier run's.
FILETIME ProcessStartTime();

// Test seam: how the disk and other programs behave while a file is saved.
struct ZSaveConditions {
  // Bytes the disk still takes; a longer write stops there and fails with
  // ERROR_DISK_FULL, as on a full disk.
  size_t freeSpace = SIZE_MAX;
  // Called when the new content is on the disk, just before the target is
  // replaced: the moment another program may have opened the target.
  std::function<void(const std::string& target)> beforeReplace;
};
ZSaveConditions& SaveConditions();
