#include "common/string_resource.h"

#include <vector>

namespace {

constexpr int kFirstBufferSize = 1024;
// A string resource holds at most 65535 characters; stop growing beyond that.
constexpr int kLargestBufferSize = 1 << 17;

// Loads with a buffer that doubles while the text fills it to within `slack`
// characters, the sign that it was cut off.
template <typename Char, typename Loader>
std::basic_string<Char> LoadGrowing(int slack, Loader load) {
  for (int size = kFirstBufferSize;; size *= 2) {
    std::vector<Char> buffer(static_cast<size_t>(size), Char(0));
    int length = load(buffer.data(), size);
    if (length <= 0) return std::basic_string<Char>();
    if (length < size - slack || size >= kLargestBufferSize) {
      return std::basic_string<Char>(buffer.data(), static_cast<size_t>(length));
    }
  }
}

HINSTANCE ModuleOrProgram(HINSTANCE module) { return module ? module : GetModuleHandleA(nullptr); }

}  // namespace

std::string LoadAnsiString(UINT id, HINSTANCE module) {
  module = ModuleOrProgram(module);
  // The ANSI loader may stop one character early on a double-byte character.
  return LoadGrowing<char>(2, [&](char* buffer, int size) { return LoadStringA(module, id, buffer, size); });
}

std::wstring LoadWideString(UINT id, HINSTANCE module) {
  module = ModuleOrProgram(module);
  return LoadGrowing<wchar_t>(1, [&](wchar_t* buffer, int size) { return LoadStringW(module, id, buffer, size); });
}
