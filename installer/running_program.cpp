#include "installer/running_program.h"

#include <windows.h>
#include <shellapi.h>

#include "installer/install_names.h"

void EndRunningProgram() {
  HWND program = FindWindowA(kProgramWindowClass, nullptr);
  if (!program) return;
  // A program that hangs must not hang the installer as well.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(program, WM_DESTROY, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  Sleep(2000);
}

bool StartInstalledProgram(const std::string& installFolder) {
  const std::string program = installFolder + kProgramFile;
  HINSTANCE result = ShellExecuteA(nullptr, nullptr, program.c_str(), nullptr, installFolder.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}
