// The program's folder tree: the shared folders of the installation and the
// current profile's plug-ins and symbols folders. Every path ends in "\".
#pragma once
#include <string>

struct ZFolderTree {
  std::string install;      // the installation folder
  std::string downloads;    // "dls\"     downloaded archives
  std::string sounds;       // "sounds\"  sound files and themes
  std::string symbols;      // "symbols\" the shared symbol library
  std::string system;       // "system\"  help pages, the web site list
  std::string skeleton;     // "skel\"    copied into every new profile
  std::string users;        // "users\"   one folder per Windows user
  std::string profilePlugins;   // current profile + "plug-ins\"
  std::string profileSymbols;   // current profile + "symbols\"

  // Sets the installation folder and derives the shared folders from it.
  void deriveFrom(const std::string& installFolder);
  // Called when a profile opens.
  void setProfile(const std::string& profileFolder);
};

// The process-wide tree.
ZFolderTree& Folders();

// `path` with a trailing backslash.
std::string WithBackslash(std::string path);
