// ZavotraInstall.exe: installs Zavotra from the distribution folder that
// holds it, through the wizard or, with "/quiet [folder]", without a window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "common/path_text.h"
#include "installer/command_line.h"
#include "installer/install_window.h"
#include "installer/installation.h"
#include "installer/installer_session.h"
#include "installer/proposed_folder.h"
#include "installer/running_program.h"
#include "installer/system_folders.h"

namespace {

// Exit codes of the unattended installation.
enum QuietExit : int {
  kInstalled = 0,
  kIncomplete = 1,      // some file, folder, registry value or shortcut failed
  kBadCommandLine = 2,
  kNoDistribution = 3,  // no "program" folder beside the installer
  kBadFolder = 4,       // the folder is no usable full path
};

class ZComApartment {
 public:
  ZComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ZComApartment() {
    if (initialised_) CoUninitialize();
  }
  ZComApartment(const ZComApartment&) = delete;
  ZComApartment& operator=(const ZComApartment&) = delete;

 private:
  bool initialised_;
};

std::string FullFolderPath(const std::string& folder) {
  char full[MAX_PATH] = "";
  DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string path(full, length);
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

int InstallQuietly(const ZInstallerSession& session, const std::string& requestedFolder) {
  std::string folder = FullFolderPath(requestedFolder.empty() ? session.installFolder : requestedFolder);
  if (!IsUsableInstallFolder(folder)) return kBadFolder;
  const DWORD program = GetFileAttributesA((session.distribution + "program").c_str());
  if (program == INVALID_FILE_ATTRIBUTES || !(program & FILE_ATTRIBUTE_DIRECTORY)) return kNoDistribution;
  EndRunningProgram();
  AppendBackslash(folder);
  return ZInstallation(session.distribution, folder, InstallsForAllUsers()).run(ZInstallProgress()) ? kInstalled
                                                                                                     : kIncomplete;
}

}  // namespace

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const PathParts parts = SplitPath(std::string(path, length));
  return parts.drive + parts.directory;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const ZInstallCommand command = ParseInstallCommand(ArgumentsAfterProgram(GetCommandLineA()));
  if (command.mode == ZInstallCommand::Mode::Invalid) return kBadCommandLine;
  ZComApartment com;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);

  ZInstallerSession session;
  session.distribution = ProgramFolder();
  session.installFolder = ProposedInstallFolder();
  if (command.mode == ZInstallCommand::Mode::Quiet) return InstallQuietly(session, command.folder);

  EndRunningProgram();
  return RunInstallerWindow(instance, session) ? 0 : 1;
}
