// Start-up benchmark (run by hand under Wine, see README): the staged
// Zavotra.exe started as a real process on a profile with 100 application
// plug-ins in its catalogue and 200 symbols of its own; the time from
// CreateProcess to the moment its tray icon is in the notification area.
// Under Wine without a desktop's tray the icon is a window of class
// "__winex11_tray_icon" in the standalone tray; where there is none, the
// first message the main window answers (its creation, which adds the tray
// icon, is over by then) stands in. The splash screen's 2.5 s do not count:
// it runs on its own thread. Prints every run and the median.
//
//   startup_bench.exe [runs [plug-ins [symbols]]]     (default 7, 100, 200)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/macro.h"
#include "common/default_key.h"
#include "gesture/symbol_file.h"
#include "plugins/plugin.h"
#include "shell/registry_entries.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/bench_clock.h"
#include "tests/ui/view_fixtures.h"

#ifndef ZAVOTRA_STAGED_EXE
#error "the benchmark needs the path of the staged program"
#endif

namespace {
int g_plugins = 100;
int g_symbols = 200;
constexpr int kActionsPerPlugin = 6;


std::string StagedFolder() {
  const std::string program = ZAVOTRA_STAGED_EXE;
  return program.substr(0, program.size() - strlen("Zavotra.exe"));
}

int TrayIcons() {
  HWND tray = FindWindowA("__winex11_standalone_tray", nullptr);
  int count = 0;
  for (HWND icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr; icon;
       icon = FindWindowExA(tray, icon, "__winex11_tray_icon", nullptr))
    ++count;
  return count;
}

void WritePlugin(const std::string& path, const std::string& name, const std::string& key, int firstSymbol) {
  ZPlugin plugin;
  plugin.setName(name);
  plugin.setKey(key);
  plugin.setCaption(name);
  for (int i = 0; i < kActionsPerPlugin; ++i)
    plugin.addAction(NamedMacro(name + " action " + std::to_string(i), static_cast<uint32_t>(firstSymbol + i)));
  plugin.saveAs(path, DefaultKey());
}

// The profile "Default" of `install`, as a user has it after a while.
void FillProfile(const ZTestInstallation& install) {
  const std::string profile = install.userFolder() + "00\\";
  CreateDirectoryA(install.userFolder().c_str(), nullptr);
  CreateDirectoryA(profile.c_str(), nullptr);
  CreateDirectoryA((profile + "plug-ins").c_str(), nullptr);
  CreateDirectoryA((profile + "symbols").c_str(), nullptr);
  WriteFileText(profile + "name", "Default");
  WriteEncryptedFile(profile + "settings", ProfileDefaultKey(),
                     "FirstTime\tfalse\r\nStartHidden\ttrue\r\nRunAtStartup\tfalse\r\n"
                     "PlaySounds\tfalse\r\nPlayStartSound\tfalse\r\n");
  WritePlugin(profile + "plug-ins\\common.ztc", "Common", "", 1);
  WritePlugin(profile + "plug-ins\\services.ztc", "Services", "", 50);
  for (int i = 0; i < g_plugins; ++i) {
    const std::string name = "Application " + std::to_string(i);
    WritePlugin(profile + "plug-ins\\app" + std::to_string(i) + ".zta", name, "Class" + std::to_string(i), 100 + i * 10);
  }
  for (int i = 0; i < g_symbols; ++i) {
    Symbol symbol = SquareSymbol(static_cast<uint32_t>(5000 + i));
    symbol.setName("Symbol " + std::to_string(i));
    SaveSymbolFile(symbol, profile + "symbols\\s" + std::to_string(i) + ".zts", DefaultKey());
  }
  CopyFileA((StagedFolder() + "system\\Zavotra.dll").c_str(), (install.root() + "system\\Zavotra.dll").c_str(), FALSE);
}

struct Run {
  double trayIcon = -1;     // ms from CreateProcess to the icon in the tray
  double answered = -1;     // ms to the first message the main window answered
  bool trayWindow = false;  // whether the tray itself was observed
};

Run StartOnce() {
  Run run;
  const int before = TrayIcons();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = std::string("\"") + ZAVOTRA_STAGED_EXE + "\"";
  const LONGLONG start = BenchNow();
  if (!CreateProcessA(ZAVOTRA_STAGED_EXE, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return run;
  HWND main = nullptr;
  for (int i = 0; i < 30000 && (run.trayIcon < 0 || run.answered < 0); ++i) {
    if (run.trayIcon < 0 && TrayIcons() > before) {
      run.trayIcon = BenchMilliseconds(BenchNow() - start);
      run.trayWindow = true;
    }
    if (!main) main = FindWindowA("ZavotraClass", nullptr);
    DWORD_PTR ignored = 0;
    if (main && run.answered < 0 && SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 1, &ignored))
      run.answered = BenchMilliseconds(BenchNow() - start);
    if (run.answered >= 0 && run.trayIcon < 0 && BenchMilliseconds(BenchNow() - start) > run.answered + 2000) break;
    Sleep(1);
  }
  if (run.trayIcon < 0) run.trayIcon = run.answered;
  if (main) SendMessageTimeoutA(main, WM_DESTROY, 0, 0, SMTO_NORMAL, 30000, nullptr);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  if (argc > 2) g_plugins = std::max(0, atoi(argv[2]));
  if (argc > 3) g_symbols = std::max(0, atoi(argv[3]));
  ZRegistryValueGuard user(HKEY_CURRENT_USER, kProductKey, "AppFolder");
  ZRegistryValueGuard machine(HKEY_LOCAL_MACHINE, kProductKey, "AppFolder");
  ZRegistryValueGuard appPath(HKEY_LOCAL_MACHINE, kAppPathsKey, "");
  ZTestInstallation install;
  FillProfile(install);
  ZRegistryValueGuard::Set(HKEY_CURRENT_USER, kProductKey, "AppFolder", install.root());
  printf("start-up of %s\n  %d plug-ins in the catalogue, %d user symbols\n", ZAVOTRA_STAGED_EXE, g_plugins, g_symbols);
  StartOnce();  // the first start warms the file cache and the Wine server
  std::vector<double> tray, answered;
  bool observed = true;
  for (int i = 0; i < runs; ++i) {
    const Run run = StartOnce();
    observed = observed && run.trayWindow;
    printf("  run %d: tray icon %.1f ms, main window answering %.1f ms\n", i + 1, run.trayIcon, run.answered);
    tray.push_back(run.trayIcon);
    answered.push_back(run.answered);
  }
  printf("median of %d: process start to tray icon added %.1f ms%s; main window answering %.1f ms\n", runs,
         Median(tray), observed ? "" : " (tray not observed: first answer instead)", Median(answered));
  return 0;
}
