// ztap_unst.exe: removes Zavotra Pro. Without switches it asks first, and
// asks whether the users' profiles go too; the Add or Remove Programs entry
// starts it so.
//   ztap_unst.exe [/quiet] [/all]
// /quiet asks nothing and shows nothing; /all removes the profiles as well.
#include <windows.h>
#include <string.h>

#include <string>
#include <vector>

#include "common/string_resource.h"
#include "installer/command_line.h"
#include "installer/running_program.h"
#include "installer/uninstall_ids.h"
#include "installer/uninstaller.h"

namespace {

enum UninstallExit : int {
  kRemoved = 0,
  kIncomplete = 1,
  kBadCommandLine = 2,
  kNotInstalled = 3,
  kOddFolder = 4,
  kDeclined = 5,
};

struct ZUninstallOptions {
  bool quiet = false;
  bool removeProfiles = false;
  bool valid = true;
};

bool IsSwitch(const std::string& argument, const char* name) {
  return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
         _stricmp(argument.c_str() + 1, name) == 0;
}

ZUninstallOptions ParseOptions(const std::string& arguments) {
  ZUninstallOptions options;
  size_t i = 0;
  while (i < arguments.size()) {
    while (i < arguments.size() && (arguments[i] == ' ' || arguments[i] == '\t')) ++i;
    size_t end = arguments.find_first_of(" \t", i);
    if (end == std::string::npos) end = arguments.size();
    const std::string argument = arguments.substr(i, end - i);
    i = end;
    if (argument.empty()) continue;
    if (IsSwitch(argument, "quiet"))
      options.quiet = true;
    else if (IsSwitch(argument, "all"))
      options.removeProfiles = true;
    else
      options.valid = false;
  }
  return options;
}

int Tell(const ZUninstallOptions& options, UINT textId, UINT icon, int exitCode) {
  if (!options.quiet) {
    MessageBoxA(nullptr, LoadAnsiString(textId).c_str(), LoadAnsiString(IDS_UNINSTALL_TITLE).c_str(), MB_OK | icon);
  }
  return exitCode;
}

bool Ask(UINT textId, UINT defaultButton) {
  return MessageBoxA(nullptr, LoadAnsiString(textId).c_str(), LoadAnsiString(IDS_UNINSTALL_TITLE).c_str(),
                     MB_YESNO | MB_ICONQUESTION | defaultButton) == IDYES;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ZUninstallOptions options = ParseOptions(ArgumentsAfterProgram(GetCommandLineA()));
  if (!options.valid) return Tell(options, IDS_UNINSTALL_USAGE, MB_ICONEXCLAMATION, kBadCommandLine);

  ZUninstaller uninstaller;
  if (!uninstaller.installed()) return Tell(options, IDS_UNINSTALL_NOT_INSTALLED, MB_ICONINFORMATION, kNotInstalled);
  if (!options.quiet) {
    if (!Ask(IDS_UNINSTALL_CONFIRM, MB_DEFBUTTON1)) return kDeclined;
    if (!options.removeProfiles) options.removeProfiles = Ask(IDS_UNINSTALL_PROFILES, MB_DEFBUTTON2);
  }
  EndRunningProgram();
  switch (uninstaller.run(options.removeProfiles)) {
    case ZUninstaller::Result::kRemoved:
      return Tell(options, IDS_UNINSTALL_DONE, MB_ICONINFORMATION, kRemoved);
    case ZUninstaller::Result::kIncomplete:
      return Tell(options, IDS_UNINSTALL_INCOMPLETE, MB_ICONEXCLAMATION, kIncomplete);
    case ZUninstaller::Result::kNotInstalled:
      return Tell(options, IDS_UNINSTALL_NOT_INSTALLED, MB_ICONINFORMATION, kNotInstalled);
    case ZUninstaller::Result::kOddFolder:
      return Tell(options, IDS_UNINSTALL_ODD_FOLDER, MB_ICONEXCLAMATION, kOddFolder);
  }
  return kIncomplete;
}
