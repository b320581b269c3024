#include "common/path_text.h"

namespace {

// Buffer sizes of the runtime's path splitter, the terminator excluded.
constexpr size_t kMaxDrive = 2;
constexpr size_t kMaxPart = 255;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string Limited(const std::string& text, size_t begin, size_t end, size_t limit) {
  size_t length = end - begin;
  return text.substr(begin, length < limit ? length : limit);
}

}  // namespace

void AppendBackslash(std::string& path) {
  if (!path.empty() && path.back() != '\\') path += '\\';
}

PathParts SplitPath(const std::string& path) {
  PathParts parts;
  size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = Limited(path, 0, 2, kMaxDrive);
    start = 2;
  }
  size_t nameStart = start;
  for (size_t i = start; i < path.size(); ++i) {
    if (IsSeparator(path[i])) nameStart = i + 1;
  }
  parts.directory = Limited(path, start, nameStart, kMaxPart);
  size_t dot = path.find_last_of('.');
  size_t nameEnd = (dot != std::string::npos && dot >= nameStart) ? dot : path.size();
  parts.name = Limited(path, nameStart, nameEnd, kMaxPart);
  parts.extension = Limited(path, nameEnd, path.size(), kMaxPart);
  return parts;
}
