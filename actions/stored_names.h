// Name-valued streams: a field kept in a file as one of a fixed table of
// names, read back by exact, case-sensitive comparison.
#pragma once
#include <string>

#include "common/errors.h"

// The index of `name` in `names`, or -1.
template <size_t N>
int FindStoredName(const char* const (&names)[N], const std::string& name) {
  for (size_t i = 0; i < N; ++i)
    if (name == names[i]) return static_cast<int>(i);
  return -1;
}

// The index of `name` in `names`; a name outside the table makes the value
// unreadable.
template <size_t N>
int RequireStoredName(const char* const (&names)[N], const std::string& name) {
  int index = FindStoredName(names, name);
  if (index < 0) throw ZReadError(0);
  return index;
}
