#include "shell/optional_functions.h"

#include <string>

#include "shell/scoped_handle.h"

namespace {
// Looks a function up under its plain name, then with the ANSI suffix.
template <typename Fn>
void Lookup(HMODULE library, const char* name, Fn& entry) {
  if (!library) return;
  FARPROC address = GetProcAddress(library, name);
  if (!address) address = GetProcAddress(library, (std::string(name) + "A").c_str());
  entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

// Loads the three libraries when the program is loaded and frees them when it
// unloads; the table lives exactly as long as they do.
class ZOptionalLibraries {
 public:
  ZOptionalLibraries()
      : kernel32_(LoadLibraryA("kernel32.dll")), user32_(LoadLibraryA("user32.dll")),
        msimg32_(LoadLibraryA("msimg32.dll")) {
    Lookup(kernel32_.get(), "IsValidLanguageGroup", table_.isValidLanguageGroup);
    Lookup(user32_.get(), "GetMonitorInfo", table_.getMonitorInfo);
    Lookup(user32_.get(), "MonitorFromPoint", table_.monitorFromPoint);
    Lookup(user32_.get(), "MonitorFromRect", table_.monitorFromRect);
    Lookup(user32_.get(), "SetLayeredWindowAttributes", table_.setLayeredWindowAttributes);
    Lookup(user32_.get(), "UpdateLayeredWindow", table_.updateLayeredWindow);
    Lookup(user32_.get(), "GetWindowModuleFileName", table_.getWindowModuleFileName);
    Lookup(msimg32_.get(), "AlphaBlend", table_.alphaBlend);
  }
  ~ZOptionalLibraries() { table_ = ZOptionalFunctions(); }

  const ZOptionalFunctions& table() const { return table_; }

 private:
  ZModule kernel32_, user32_, msimg32_;
  ZOptionalFunctions table_;
};

const ZOptionalLibraries g_libraries;
}  // namespace

const ZOptionalFunctions& OptionalFunctions() { return g_libraries.table(); }
