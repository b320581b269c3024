#include "plugins/plugin_folder.h"

#include <cstdio>

#include "common/file_exists.h"

namespace {

std::string& Folder() {
  static std::string folder;
  return folder;
}

constexpr int kMaxNumber = 999999;  // six digits

std::string WithBackslash(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder;
  return folder + "\\";
}

}  // namespace

const std::string& CurrentPluginsFolder() { return Folder(); }

void SetCurrentPluginsFolder(const std::string& folder) { Folder() = folder; }

std::string NewPluginFilePath(const std::string& folder) {
  const std::string base = WithBackslash(folder);
  for (int n = 0; n <= kMaxNumber; ++n) {
    char name[260];
    std::snprintf(name, sizeof name, "wpu%06d.zta", n);
    const std::string path = base + name;
    if (!FileExists(path.c_str())) return path;
  }
  return std::string();
}
