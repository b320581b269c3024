#include "actions/action_strings.h"

#include "shell/app_context.h"

std::string LoadActionString(UINT id) {
  // Every name kept here is short; a longer one is cut, never overrun.
  char buffer[256];
  int length = LoadStringA(AppInstance(), id, buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}
