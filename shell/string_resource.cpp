#include "shell/string_resource.h"

#include <vector>

#include "shell/app_context.h"

std::string LoadResourceString(UINT id) {
  // The length is unknown: grow the buffer until the text no longer fills it.
  for (size_t size = 1024; size <= 1024 * 1024; size *= 2) {
    std::vector<char> buffer(size);
    int length = LoadStringA(AppInstance(), id, buffer.data(), static_cast<int>(size));
    if (length < static_cast<int>(size) - 2) return std::string(buffer.data(), length > 0 ? length : 0);
  }
  return std::string();
}
