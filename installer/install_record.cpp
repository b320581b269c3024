#include "installer/install_record.h"

#include <windows.h>
#include <string.h>

#include <cstdint>

#include "common/memory_file.h"
#include "common/win32_file_handle.h"

bool ZInstallRecord::load(const std::string& path) {
  paths_.clear();
  std::vector<uint8_t> content;
  if (!ReadWholeFile(path.c_str(), content)) return false;
  std::string line;
  for (uint8_t byte : content) {
    if (byte == '\r' || byte == '\n') {
      if (!line.empty()) add(line);
      line.clear();
    } else if (byte != 0) {
      line += static_cast<char>(byte);
    }
  }
  if (!line.empty()) add(line);
  return true;
}

bool ZInstallRecord::save(const std::string& path) const {
  std::string text;
  for (const std::string& entry : paths_) text += entry + "\r\n";
  ZFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
  return file.valid() && WriteExact(file.get(), text.data(), text.size());
}

void ZInstallRecord::add(const std::string& path) {
  for (const std::string& entry : paths_) {
    if (_stricmp(entry.c_str(), path.c_str()) == 0) return;
  }
  paths_.push_back(path);
}
