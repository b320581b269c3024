#include "shell/profile_tree.h"

#include <windows.h>

#include "shell/folders.h"
#include "shell/scoped_handle.h"

bool CopyFolderTree(const std::string& source, const std::string& destination) {
  const std::string from = WithBackslash(source), to = WithBackslash(destination);
  WIN32_FIND_DATAA entry;
  ZFindHandle find(FindFirstFileA((from + "*").c_str(), &entry));
  if (!find) return false;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == ".." || lstrcmpiA(name.c_str(), "dummy") == 0) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CreateDirectoryA((to + name).c_str(), nullptr);
      CopyFolderTree(from + name, to + name);
    } else {
      CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
    }
  } while (FindNextFileA(find.get(), &entry));
  return true;
}

bool DeleteFolderTree(const std::string& folder) {
  const std::string base = WithBackslash(folder);
  {
    WIN32_FIND_DATAA entry;
    ZFindHandle find(FindFirstFileA((base + "*").c_str(), &entry));
    if (find) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteFolderTree(base + name);
        else DeleteFileA((base + name).c_str());
      } while (FindNextFileA(find.get(), &entry));
    }
  }
  return RemoveDirectoryA(base.c_str()) != 0;
}
