// A fresh folder below the temporary folder, removed with everything in it
// at the end of the test (with the shell's own delete, not the code tested).
// Its name holds the running test's name: ctest runs the tests of one
// program in parallel processes.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <string>

inline std::string CurrentTestName() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("no_test");
}

class TestFolder {
 public:
  explicit TestFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + name + "." + CurrentTestName();
    Remove();
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TestFolder() { Remove(); }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  void Remove() {
    std::string from = path_ + std::string(1, '\0');  // the list ends with two NULs
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationA(&operation);
  }
  std::string path_;
};

inline void WriteTestFile(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

inline std::string ReadTestFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  char buffer[4096];
  DWORD read = 0;
  std::string content;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
  CloseHandle(file);
  return content;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
