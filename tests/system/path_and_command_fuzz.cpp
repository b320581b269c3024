// Arbitrary text through the path splitter and the handler-command helpers:
// no crash, no read outside the text, and the parts always come from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/path_text.h"
#include "common/url_command.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  PathParts parts = SplitPath(text);
  if (parts.drive.size() + parts.directory.size() + parts.name.size() + parts.extension.size() > text.size()) {
    abort();
  }
  HandlerCommand command = SplitHandlerCommand(text);
  if (command.program.size() + command.parameters.size() > text.size()) abort();
  InsertIntoParameters(command.parameters, text);
  GuessUrlScheme(text);
  IsPlainScheme(text);
  AppendBackslash(text);
  return 0;
}
