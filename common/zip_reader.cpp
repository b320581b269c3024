#include "common/zip_reader.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "common/directory_tree.h"
#include "common/path_text.h"
#include "common/zip_entry.h"
#include "common/zip_extraction.h"

namespace {

class ZZipFileInput : public ZZipInput {
 public:
  explicit ZZipFileInput(HANDLE file) : file_(file) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file_, &size)) size_ = static_cast<uint64_t>(size.QuadPart);
  }
  bool read(void* buffer, size_t size, size_t& got) override {
    DWORD done = 0;
    got = 0;
    if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &done, nullptr)) return false;
    got = done;
    position_ += done;
    return true;
  }
  bool moveBack(size_t count) override {
    if (count > position_) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = -static_cast<LONGLONG>(count);
    if (!SetFilePointerEx(file_, distance, nullptr, FILE_CURRENT)) return false;
    position_ -= count;
    return true;
  }
  uint64_t remaining() const override { return position_ < size_ ? size_ - position_ : 0; }
  uint64_t size() const override { return size_; }

 private:
  HANDLE file_;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
};

std::string WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || (GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(path));
}

// The entry's DOS time (local) in UTC; the current time for one that lies
// ahead of the clock or is no valid date.
FILETIME LastWriteTime(uint16_t dosDate, uint16_t dosTime) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ZDosDateTime parts;
  if (!DecodeDosDateTime(dosDate, dosTime, parts)) return now;
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(parts.year);
  local.wMonth = static_cast<WORD>(parts.month);
  local.wDay = static_cast<WORD>(parts.day);
  local.wHour = static_cast<WORD>(parts.hour);
  local.wMinute = static_cast<WORD>(parts.minute);
  local.wSecond = static_cast<WORD>(parts.second);
  FILETIME localTime, utc;
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc)) return now;
  return CompareFileTime(&utc, &now) > 0 ? now : utc;
}

class ZZipFolderOutput : public ZZipOutput {
 public:
  explicit ZZipFolderOutput(const std::string& folder) : folder_(folder) { AppendBackslash(folder_); }

  bool makeFolder(const std::string& path) override { return MakeFolder(folder_ + WindowsPath(path)); }
  bool createFile(const std::string& path) override {
    current_ = folder_ + WindowsPath(path);
    file_.reset(CreateFileA(current_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return file_.valid();
  }
  bool write(const void* data, size_t size) override { return WriteExact(file_.get(), data, size); }
  void finishFile(bool keep, uint16_t dosDate, uint16_t dosTime) override {
    if (keep) {
      const FILETIME written = LastWriteTime(dosDate, dosTime);
      SetFileTime(file_.get(), nullptr, nullptr, &written);
    }
    file_.reset();
    if (!keep) DeleteFileA(current_.c_str());
  }

 private:
  std::string folder_;
  std::string current_;
  ZFileHandle file_;
};

class ZProgressBarReport : public ZZipProgress {
 public:
  explicit ZProgressBarReport(HWND bar) : bar_(bar) {}
  void started(uint64_t archiveSize) override {
    SendMessageA(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(std::min<uint64_t>(archiveSize, INT_MAX)));
    SendMessageA(bar_, PBM_SETPOS, 0, 0);
  }
  void advanced(size_t bytes, bool deflated) override {
    if (deflated)
      PostMessageA(bar_, PBM_DELTAPOS, bytes, 0);
    else
      SendMessageA(bar_, PBM_DELTAPOS, bytes, 0);
  }

 private:
  HWND bar_;
};

bool SameFolder(std::string a, std::string b) {
  AppendBackslash(a);
  AppendBackslash(b);
  return _stricmp(a.c_str(), b.c_str()) == 0;
}

bool ExtractArchiveFile(const std::string& archive, const std::string& destination, HWND progress) {
  ZZipReader reader;
  if (!reader.open(archive)) return false;
  const bool ok = reader.extractAll(destination, progress);
  reader.close();
  return ok;
}

}  // namespace

bool ZZipReader::open(const std::string& path) {
  file_.reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  return file_.valid();
}

bool ZZipReader::extractAll(const std::string& destination, HWND progress) {
  if (!file_.valid() || destination.empty() || !MakeFolder(destination)) return false;
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file_.get(), start, nullptr, FILE_BEGIN)) return false;
  ZZipFileInput input(file_.get());
  ZZipFolderOutput output(destination);
  ZProgressBarReport report(progress);
  return ExtractZipEntries(input, output, progress ? &report : nullptr);
}

bool ExtractZipFromMemory(const void* bytes, size_t size, const std::string& destination, HWND progress) {
  if (!bytes || size == 0 || size > MAXDWORD) return false;
  char folder[MAX_PATH], name[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(folder, ".z_", 0, name)) return false;
  bool written;
  {
    ZFileHandle file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    written = file.valid() && WriteExact(file.get(), bytes, size);
  }
  const bool ok = written && ExtractArchiveFile(name, destination, progress);
  DeleteFileA(name);
  return ok;
}

bool ExtractZipPackage(const std::string& archivePath, const std::string& destination, HWND progress) {
  const PathParts parts = SplitPath(archivePath);
  if (parts.name.empty()) return false;
  const std::string work = parts.drive + parts.directory + parts.name + "\\";
  // The work folder is emptied and removed; never the destination itself.
  if (SameFolder(work, destination)) return false;
  // A work folder a crash left behind must not lend its "inner.zip".
  DeleteDirectoryTree(work);
  bool ok = ExtractArchiveFile(archivePath, work, progress);
  if (ok) ok = ExtractArchiveFile(work + "inner.zip", destination, progress);
  DeleteDirectoryTree(work);
  return ok;
}
