// Stand-in for a registered URL handler: writes the parameters it was started
// with to the file named by ZAVOTRA_RECORD_FILE, whole or not at all (written
// under another name first, then renamed), and exits.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR parameters, int) {
  char target[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("ZAVOTRA_RECORD_FILE", target, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::string partial = std::string(target) + ".partial";
  HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, parameters, static_cast<DWORD>(strlen(parameters)), &written, nullptr);
  CloseHandle(file);
  return MoveFileExA(partial.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
