#include "shell/folders.h"

#include "common/path_text.h"

std::string WithBackslash(std::string path) {
  AppendBackslash(path);
  return path;
}

void ZFolderTree::deriveFrom(const std::string& installFolder) {
  install = WithBackslash(installFolder);
  downloads = install + "dls\\";
  sounds = install + "sounds\\";
  symbols = install + "symbols\\";
  system = install + "system\\";
  skeleton = install + "skel\\";
  users = install + "users\\";
}

void ZFolderTree::setProfile(const std::string& profileFolder) {
  const std::string folder = WithBackslash(profileFolder);
  profilePlugins = folder + "plug-ins\\";
  profileSymbols = folder + "symbols\\";
}

ZFolderTree& Folders() {
  static ZFolderTree tree;
  return tree;
}
