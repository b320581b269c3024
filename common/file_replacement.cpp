#include "common/file_replacement.h"

#include <cctype>
#include <cstring>
#include <utility>

#include "common/find_handle.h"
#include "common/win32_file_handle.h"

namespace {

const char kPrefix[] = "~zv";
const char kSuffix[] = ".tmp";

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// As much of the content as the disk takes; false as a full disk would.
bool WriteToDisk(HANDLE file, const void* data, size_t size) {
  const size_t room = SaveConditions().freeSpace;
  if (size > room) {
    WriteExact(file, data, room);
    SetLastError(ERROR_DISK_FULL);
    return false;
  }
  return size == 0 || WriteExact(file, data, size);
}

bool WriteTemporary(const std::string& path, const void* data, size_t size) {
  ZFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  // Flushed before the rename: the new name must never point at bytes that
  // are still only in the cache when the power goes.
  return file.valid() && WriteToDisk(file.get(), data, size) && FlushFileBuffers(file.get());
}

bool EndsWith(const char* name, size_t length, const char* suffix) {
  const size_t tail = std::strlen(suffix);
  return length >= tail && _stricmp(name + length - tail, suffix) == 0;
}

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

bool EarlierThan(const FILETIME& a, const FILETIME& b) { return CompareFileTime(&a, &b) < 0; }

}  // namespace

ZFileReplacement::ZFileReplacement(const std::string& target, const void* data, size_t size) : target_(target) {
  char name[MAX_PATH];
  if (GetTempFileNameA(FolderOf(target).c_str(), kPrefix, 0, name) == 0) return;
  temporary_ = name;
  if (!WriteTemporary(temporary_, data, size)) discard();
}

ZFileReplacement::ZFileReplacement(ZFileReplacement&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)) {
  other.temporary_.clear();
}

ZFileReplacement::~ZFileReplacement() { discard(); }

void ZFileReplacement::discard() {
  if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
  temporary_.clear();
}

bool ZFileReplacement::commit() {
  if (!ready()) return false;
  if (SaveConditions().beforeReplace) SaveConditions().beforeReplace(target_);
  if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    discard();
    return false;
  }
  temporary_.clear();
  return true;
}

bool ReplaceFileContent(const std::string& target, const void* data, size_t size) {
  ZFileReplacement replacement(target, data, size);
  return replacement.commit();
}

bool ReplaceFileContent(const std::string& target, const std::vector<uint8_t>& content) {
  return ReplaceFileContent(target, content.data(), content.size());
}

bool ReplaceFileContent(const std::string& target, const std::string& content) {
  return ReplaceFileContent(target, content.data(), content.size());
}

bool IsReplacementFileName(const char* name) {
  const size_t length = std::strlen(name);
  return length > std::strlen(kPrefix) + std::strlen(kSuffix) && _strnicmp(name, kPrefix, std::strlen(kPrefix)) == 0 &&
         EndsWith(name, length, kSuffix);
}

void RemoveStaleReplacementFiles(const std::string& folder, const FILETIME& startedAt) {
  std::string base = folder;
  if (base.empty()) return;  // never the current folder
  if (base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA entry;
  ZFindHandle search(FindFirstFileA((base + "*").c_str(), &entry));
  if (!search.valid()) return;
  do {
    const std::string path = base + entry.cFileName;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Linked folders could lead outside our tree.
      if (!IsDotEntry(entry.cFileName) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveStaleReplacementFiles(path, startedAt);
    } else if (IsReplacementFileName(entry.cFileName) && EarlierThan(entry.ftLastWriteTime, startedAt)) {
      DeleteFileA(path.c_str());
    }
  } while (FindNextFileA(search.get(), &entry));
}

FILETIME ProcessStartTime() {
  FILETIME created{}, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) GetSystemTimeAsFileTime(&created);
  return created;
}

ZSaveConditions& SaveConditions() {
  static ZSaveConditions conditions;
  return conditions;
}
