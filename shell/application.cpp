#include "shell/application.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "actions/action_workers.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"
#include "common/file_cipher.h"
#include "common/file_replacement.h"
#include "shell/capabilities.h"
#include "shell/folders.h"
#include "shell/internet_session.h"
#include "shell/main_window.h"
#include "shell/profile_dialogs.h"
#include "shell/profile_set.h"
#include "shell/road_steps.h"
#include "shell/registry_entries.h"
#include "shell/scoped_handle.h"
#include "shell/settings_effects.h"
#include "common/settings.h"
#include "shell/splash_screen.h"
#include "shell/startup_steps.h"
#include "common/string_resource.h"

namespace {
// A running instance is brought forward instead of starting a second one.
bool ForwardToRunningInstance() {
  HWND running = FindWindowA(ZMainWindow::kClassName, nullptr);
  if (!running) return false;
  ShowWindow(running, SW_SHOWNORMAL);
  SetForegroundWindow(running);
  return true;
}

// Decrypted copies (plain content of protected files) that an earlier run,
// ended by a crash or a power cut, left in the temporary folder. The profile
// set does the same for the temporary files of saves in the user's folder.
void RemoveLeftoversOfEarlierRuns() { RemoveStaleDecryptedCopies(ProcessStartTime()); }

// The current profile, or the chooser when its password was refused; false
// when the program is to end.
bool OpenProfile() {
  if (Profiles().open() != ZProfileResult::BadPassword) return true;
  if (Profiles().profiles().size() == 1) return false;
  return ChooseProfile(nullptr);
}

// True when the session opened (the shared symbol library is then loaded
// once the main window is there).
bool StartInternet(HWND splash) {
  if (OpenInternetSession()) {
    StartScrollingThread();
    if (splash) PostMessageA(splash, WM_COMMAND, IDCANCEL, 0);
    return true;
  }
  const std::string text = LoadAnsiString(IDS_NO_INTERNET, AppInstance());
  const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
  MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK);
  return false;
}

int MessageLoop(HACCEL accelerators) {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TranslateFocusAccelerator(accelerators, message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

class ZComApartment {
 public:
  ZComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
  ~ZComApartment() {
    if (initialised_) CoUninitialize();
  }

 private:
  bool initialised_;
};
}  // namespace

bool TranslateFocusAccelerator(HACCEL accelerators, MSG& message) {
  HWND focus = GetFocus();
  if (!accelerators || !focus) return false;
  char className[16] = "";
  GetClassNameA(focus, className, sizeof className);
  if (lstrcmpiA(className, "Edit") == 0) return false;
  return TranslateAcceleratorA(focus, accelerators, &message) != FALSE;
}

int RunZavotra(HINSTANCE instance) {
  SetAppInstance(instance);
  if (ForwardToRunningInstance()) return 0;
  DetectCapabilities();
  Folders().deriveFrom(ResolveInstallFolder());
  RemoveLeftoversOfEarlierRuns();
  HWND splash = ShowSplashScreen();
  LoadWebSiteList(Folders().system);
  InstallPluginProfileHooks();
  InstallSettingsEffects();
  InstallSymbolProfileHook();
  InstallWebServiceHooks();
  if (!OpenProfile()) return 0;
  WriteRegistryEntries();
  StartSounds(Folders().sounds);
  InitCommonControls();
  int exitCode = 0;
  {
    ZComApartment com;
    const bool online = StartInternet(splash);
    ZMainWindow mainWindow;
    if (!mainWindow.create()) return 1;
    SetMainWindow(mainWindow.handle());
    // The symbol files come after the tray icon: many files, and nothing
    // needs them before the user opens a menu.
    LoadStartupSymbols();
    if (online) LoadSharedSymbolLibrary(Folders().symbols);
    ZAccelerators accelerators(LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS)));
    exitCode = MessageLoop(accelerators.get());
    mainWindow.destroy();
    DestroyTrayIcon();
    StopSounds();
    // An action that did not end within its bound is stuck in a system call:
    // the process ends here, before anything it may still use is torn down.
    if (ActionWorkers().running() != 0) ExitProcess(static_cast<UINT>(exitCode));
    CloseInternetSession();
  }  // COM released here
  CloseScrollingThread();
  return exitCode;
}
