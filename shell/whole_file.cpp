#include "shell/whole_file.h"

#include <windows.h>

#include <vector>

#include "common/memory_file.h"
#include "shell/scoped_handle.h"

bool ReadFileText(const std::string& path, std::string& text) {
  std::vector<uint8_t> content;
  if (!ReadWholeFile(path.c_str(), content)) return false;
  text.assign(content.begin(), content.end());
  return true;
}

bool WriteFileText(const std::string& path, const std::string& text) {
  ZFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  if (text.empty()) return true;
  DWORD written = 0;
  return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}
