#include "common/window_tree.h"

namespace {
// Longer than any class name: the system limits them to 256 characters.
constexpr int kClassNameBuffer = 260;
}  // namespace

HWND TopLevelOf(HWND window) {
  for (HWND parent = window ? GetParent(window) : nullptr; parent; parent = GetParent(window))
    window = parent;
  return window;
}

HWND TopLevelWindowAt(POINT point) { return TopLevelOf(WindowFromPoint(point)); }

std::string WindowClassName(HWND window) {
  char name[kClassNameBuffer] = {};
  if (!window || GetClassNameA(window, name, kClassNameBuffer) <= 0) return std::string();
  return name;
}
