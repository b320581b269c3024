#include "installer/tree_copy.h"

#include <commctrl.h>
#include <string.h>

#include "common/find_handle.h"
#include "installer/install_record.h"

namespace {

bool IsDotEntry(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }
bool IsFolder(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool LastWriteTime(const std::string& path, FILETIME& time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  time = data.ftLastWriteTime;
  return true;
}

bool SourceIsNewer(const std::string& source, const std::string& destination) {
  FILETIME sourceTime, destinationTime;
  if (!LastWriteTime(source, sourceTime) || !LastWriteTime(destination, destinationTime)) return false;
  return CompareFileTime(&sourceTime, &destinationTime) > 0;
}

bool FolderExists(const std::string& folder) {
  DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the first folder below the root begins: after "C:\" or after
// "\\server\share\".
size_t FirstFolderStart(const std::string& folder) {
  if (folder.size() >= 3 && folder[1] == ':') return 3;
  if (folder.compare(0, 2, "\\\\") == 0) {
    size_t server = folder.find('\\', 2);
    size_t share = server == std::string::npos ? server : folder.find('\\', server + 1);
    return share == std::string::npos ? folder.size() : share + 1;
  }
  return 0;
}

}  // namespace

bool IsPlaceholderFile(const char* name) { return strcmp(name, "dummy") == 0; }

int CountFilesToCopy(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  ZFindHandle find(FindFirstFileA((folder + "*").c_str(), &entry));
  if (!find.valid()) return 0;
  int count = 0;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    if (IsFolder(entry))
      count += CountFilesToCopy(folder + entry.cFileName + "\\");
    else if (!IsPlaceholderFile(entry.cFileName))
      ++count;
  } while (FindNextFileA(find.get(), &entry));
  return count;
}

bool CreateFolderWithParents(const std::string& folder, ZInstallRecord& record) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  for (size_t end = path.find('\\', FirstFolderStart(path)); end != std::string::npos;
       end = path.find('\\', end + 1)) {
    const std::string part = path.substr(0, end + 1);
    if (CreateDirectoryA(part.c_str(), nullptr)) record.add(part);
  }
  return FolderExists(path);
}

bool ZTreeCopy::copy(const std::string& source, const std::string& destination) {
  WIN32_FIND_DATAA entry;
  ZFindHandle find(FindFirstFileA((source + "*").c_str(), &entry));
  if (!find.valid()) return false;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    const std::string from = source + entry.cFileName;
    const std::string to = destination + entry.cFileName;
    if (IsFolder(entry)) {
      if (CreateDirectoryA(to.c_str(), nullptr))
        record_.add(to + "\\");
      else if (!FolderExists(to))
        ++failures_;
      copy(from + "\\", to + "\\");
    } else {
      copyFile(from, to);
      step(entry.cFileName);
    }
  } while (FindNextFileA(find.get(), &entry));
  return true;
}

bool ZTreeCopy::copyFile(const std::string& source, const std::string& destination) {
  bool inPlace = CopyFileA(source.c_str(), destination.c_str(), TRUE) != 0;
  const DWORD error = inPlace ? ERROR_SUCCESS : GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
    // An installed file as new as ours or newer stays: it may come from a
    // later release than this distribution.
    inPlace = !SourceIsNewer(source, destination) || CopyFileA(source.c_str(), destination.c_str(), FALSE);
  }
  if (inPlace)
    record_.add(destination);
  else
    ++failures_;
  return inPlace;
}

void ZTreeCopy::step(const std::string& name) const {
  if (progress_ && !IsPlaceholderFile(name.c_str())) SendMessageA(progress_, PBM_STEPIT, 0, 0);
}
