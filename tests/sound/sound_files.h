// Sound files made at test time: a sine WAV written here, and the same
// encoded as MP3 by the LAME encoder of the host, started through Wine.
#pragma once
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

inline std::string TestFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "zavotra sound test\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// A mono 16-bit sine of `samples` samples at `rate` Hz.
inline bool WriteSineWav(const std::string& path, uint32_t samples, uint32_t rate = 44100) {
  std::vector<uint8_t> file;
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(v >> (8 * i))); };
  auto put16 = [&](uint16_t v) { file.push_back(static_cast<uint8_t>(v)); file.push_back(static_cast<uint8_t>(v >> 8)); };
  auto tag = [&](const char* t) { file.insert(file.end(), t, t + 4); };
  tag("RIFF"); put32(36 + samples * 2); tag("WAVE");
  tag("fmt "); put32(16); put16(1); put16(1); put32(rate); put32(rate * 2); put16(2); put16(16);
  tag("data"); put32(samples * 2);
  for (uint32_t i = 0; i < samples; ++i)
    put16(static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(2 * 3.14159265 * 440 * i / rate))));
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                  written == file.size();
  CloseHandle(handle);
  return ok;
}

// The host path of a file, for host programs started through Wine.
inline std::string HostPath(const std::string& path) {
  using ToUnix = char*(CDECL*)(const WCHAR*);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  std::wstring wide(path.begin(), path.end());
  char* unixPath = toUnix(wide.c_str());
  if (!unixPath) return std::string();
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

constexpr const char* kLameProgram = "Z:\\usr\\bin\\lame";

// Why MP3 files cannot be made here, or empty when they can.
inline std::string WhyNoEncoder() {
  if (GetFileAttributesA(kLameProgram) == INVALID_FILE_ATTRIBUTES) return "the lame encoder is not installed";
  if (HostPath("C:\\").empty()) return "not running under Wine: the host encoder cannot be started";
  return std::string();
}

// Encodes `wav` into `mp3` with LAME (constant bitrate); true when the file
// was made. Wine does not wait for host programs, so a shell runs the encoder
// and marks its end with a second file.
inline bool EncodeMp3(const std::string& wav, const std::string& mp3, const char* options = "-b 64") {
  const std::string done = mp3 + ".done";
  DeleteFileA(mp3.c_str());
  DeleteFileA(done.c_str());
  const std::string script = "/usr/bin/lame --quiet " + std::string(options) + " '" + HostPath(wav) + "' '" +
                             HostPath(mp3) + "' && touch '" + HostPath(done) + "'";
  std::string line = "Z:\\bin\\sh -c \"" + script + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::vector<char> commandLine(line.begin(), line.end());
  commandLine.push_back('\0');
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; waited < 60000; waited += 50) {
    if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50);
  }
  return false;
}
