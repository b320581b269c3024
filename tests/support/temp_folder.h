// A fresh folder under the temporary folder, deleted with its files at the
// end of the test, and small whole-file helpers. Windows tests only.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
      path_ = std::string(base) + "zvt" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
      if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
  }
  ~TempFolder() { DeleteTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // With a trailing backslash, the way the program keeps its folders.
  std::string slashed() const { return path_ + "\\"; }
  std::string file(const std::string& name) const { return path_ + "\\" + name; }

  static void Write(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    if (!content.empty()) WriteFile(file, content.data(), DWORD(content.size()), &done, nullptr);
    CloseHandle(file);
  }

  // The content, or "<missing>" when the file cannot be opened.
  static std::string Read(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string content(GetFileSize(file, nullptr), '\0');
    DWORD done = 0;
    if (!content.empty()) ReadFile(file, &content[0], DWORD(content.size()), &done, nullptr);
    CloseHandle(file);
    return content;
  }

  static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // Names of the files (not folders) directly inside, sorted.
  std::vector<std::string> fileNames(const std::string& folder = "") const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const std::string dir = folder.empty() ? path_ : folder;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  static void DeleteTree(const std::string& dir) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = dir + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          DeleteTree(full);
        else
          DeleteFileA(full.c_str());
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
  }

  std::string path_;
};

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) {
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
}

inline std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

// Points the process's temporary folder (TMP and TEMP) at `folder` for the
// scope, so that a test sees every temporary copy the code under test makes.
class ScopedTempRedirect {
 public:
  explicit ScopedTempRedirect(const std::string& folder) {
    Save("TMP", tmp_);
    Save("TEMP", temp_);
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
  }
  ~ScopedTempRedirect() {
    SetEnvironmentVariableA("TMP", tmp_.c_str());
    SetEnvironmentVariableA("TEMP", temp_.c_str());
  }
  ScopedTempRedirect(const ScopedTempRedirect&) = delete;
  ScopedTempRedirect& operator=(const ScopedTempRedirect&) = delete;

 private:
  static void Save(const char* name, std::string& value) {
    char buffer[MAX_PATH] = "";
    GetEnvironmentVariableA(name, buffer, MAX_PATH);
    value = buffer;
  }
  std::string tmp_;
  std::string temp_;
};
