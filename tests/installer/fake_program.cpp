// Stands for Zavotra.exe in the installer tests: tells that it was started,
// and from which working folder, by writing "started.txt" beside itself.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string marker(path, length);
  marker = marker.substr(0, marker.rfind('\\') + 1) + "started.txt";
  char workingFolder[MAX_PATH] = "";
  DWORD workingLength = GetCurrentDirectoryA(MAX_PATH, workingFolder);
  HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, workingFolder, workingLength, &written, nullptr);
  CloseHandle(file);
  return 0;
}
