#include "shell/whole_file.h"

#include <vector>

#include "common/file_replacement.h"
#include "common/memory_file.h"

bool ReadFileText(const std::string& path, std::string& text) {
  std::vector<uint8_t> content;
  if (!ReadWholeFile(path.c_str(), content)) return false;
  text.assign(content.begin(), content.end());
  return true;
}

bool WriteFileText(const std::string& path, const std::string& text) { return ReplaceFileContent(path, text); }
