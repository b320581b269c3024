// Text operations on ANSI paths; portable, no file system access.
#pragma once
#include <string>

// Appends "\" unless the path already ends with one. An empty path stays
// empty, so that it never turns into the root of the current drive.
void AppendBackslash(std::string& path);

struct PathParts {
  std::string drive;      // "C:" or empty
  std::string directory;  // up to and including the last "\" or "/"
  std::string name;       // the file name without its extension
  std::string extension;  // from the last "." of the file name on, "." included
};

// Splits a path the way the C runtime's _splitpath does. Each part is cut to
// the size of the runtime's buffers: drive 2 characters, directory, name and
// extension 255 each.
PathParts SplitPath(const std::string& path);
