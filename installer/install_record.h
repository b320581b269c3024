// The record of what an installation wrote: the files it copied or made and
// the folders it created, as full paths (folders end in "\"). The installer
// adds to the record an earlier installation left, so that one uninstall
// takes away everything every installation into the folder wrote.
#pragma once
#include <string>
#include <vector>

class ZInstallRecord {
 public:
  // Reads a record; false (and an empty record) when the file cannot be read.
  bool load(const std::string& path);
  // Writes the record anew; false when not every byte was written.
  bool save(const std::string& path) const;

  // Adds a path unless it is there already (compared without case).
  void add(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};
