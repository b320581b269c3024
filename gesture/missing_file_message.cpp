#include "gesture/missing_file_message.h"

#include <windows.h>

#include "common/string_resource.h"
#include "resources/zavotra_ids.h"
#include "common/app_context.h"

namespace {

std::string ProgramTitle() {
#ifdef IDS_APP_TITLE
  const std::string title = LoadAnsiString(IDS_APP_TITLE, AppInstance());
  if (!title.empty()) return title;
#endif
  // The shell's string table may not be linked into every program (tests).
  return "Zavotra";
}

}  // namespace

void ShowMissingFileMessage(const std::string& path) {
  const std::string text = path + "\n\n" + LoadAnsiString(IDS_SYMBOL_FILE_MISSING, AppInstance());
  MessageBoxA(MainWindow(), text.c_str(), ProgramTitle().c_str(), MB_OK | MB_ICONWARNING);
}
