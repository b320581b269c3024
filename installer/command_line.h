// The installer's command line. Without arguments the wizard runs; our
// unattended switch installs without any window:
//   ZavotraInstall.exe /quiet [folder]
#pragma once
#include <string>

struct ZInstallCommand {
  enum class Mode { Wizard, Quiet, Invalid };
  Mode mode = Mode::Wizard;
  std::string folder;  // the folder given to /quiet; empty for the proposed one
};

// The arguments after the program's name; a folder may be quoted. Anything else than nothing or "/quiet"
// (any case, also "-quiet") with at most one folder is Invalid.
ZInstallCommand ParseInstallCommand(const std::string& commandLine);

// What follows the program's name (quoted or not) in a whole command line
// as GetCommandLine gives it.
std::string ArgumentsAfterProgram(const std::string& commandLine);
