#include "common/directory_tree.h"

#include <commctrl.h>
#include <string.h>

#include <functional>

#include "common/find_handle.h"
#include "common/path_text.h"

namespace {

bool IsDotEntry(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

bool IsDirectory(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls visit for every entry of folder (which ends with "\") except "." and
// "..". Returns false when the folder cannot be listed.
bool ForEachEntry(const std::string& folder, const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
  WIN32_FIND_DATAA entry;
  ZFindHandle search(FindFirstFileA((folder + "*").c_str(), &entry));
  if (!search.valid()) return false;
  do {
    if (!IsDotEntry(entry.cFileName)) visit(entry);
  } while (FindNextFileA(search.get(), &entry));
  return true;
}

}  // namespace

bool CopyDirectoryTree(const std::string& source, const std::string& destination, HWND progress) {
  // An empty path would mean the current folder: never what a caller meant.
  if (source.empty() || destination.empty()) return false;
  std::string from = source, to = destination;
  AppendBackslash(from);
  AppendBackslash(to);
  return ForEachEntry(from, [&](const WIN32_FIND_DATAA& entry) {
    // Placeholder entries that keep empty folders in distributions.
    if (_stricmp(entry.cFileName, "dummy") == 0) return;
    std::string sourcePath = from + entry.cFileName;
    std::string targetPath = to + entry.cFileName;
    if (IsDirectory(entry)) {
      CreateDirectoryA(targetPath.c_str(), nullptr);  // an existing folder is fine
      CopyDirectoryTree(sourcePath, targetPath, progress);
      return;
    }
    CopyFileA(sourcePath.c_str(), targetPath.c_str(), FALSE);
    if (progress) SendMessageA(progress, PBM_STEPIT, 0, 0);
  });
}

bool DeleteDirectoryTree(const std::string& directory) {
  if (directory.empty()) return false;  // not the current folder
  std::string folder = directory;
  AppendBackslash(folder);
  ForEachEntry(folder, [&](const WIN32_FIND_DATAA& entry) {
    std::string path = folder + entry.cFileName;
    if (!IsDirectory(entry)) {
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesA(path.c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
      }
      DeleteFileA(path.c_str());
    } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      RemoveDirectoryA(path.c_str());  // removes the link, keeps its target
    } else {
      DeleteDirectoryTree(path);
    }
  });
  return RemoveDirectoryA(directory.c_str()) != FALSE;
}
