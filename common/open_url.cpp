#include "common/open_url.h"

#include <windows.h>
#include <shellapi.h>
#include <wininet.h>

#include "common/registry.h"
#include "common/registry_key.h"
#include "common/url_command.h"

namespace {

// An existing file or folder, named exactly (no wildcards).
bool IsExistingPath(const std::string& text) {
  return !text.empty() && GetFileAttributesA(text.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The scheme the system's URL splitter finds, empty when there is none.
std::string SplitterScheme(const std::string& text) {
  char scheme[INTERNET_MAX_SCHEME_LENGTH + 1] = {};
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof parts;
  parts.lpszScheme = scheme;
  parts.dwSchemeLength = sizeof scheme;
  if (!InternetCrackUrlA(text.c_str(), static_cast<DWORD>(text.size()), 0, &parts)) return std::string();
  return std::string(scheme, parts.dwSchemeLength);
}

std::string RegisteredOpenCommand(const std::string& scheme) {
  ZRegistryKey key;
  std::string path = scheme + "\\shell\\open\\command";
  if (!key.open(HKEY_CLASSES_ROOT, path.c_str())) return std::string();
  return RegistryReadText(key.get(), nullptr);
}

}  // namespace

std::string UrlSchemeOf(const std::string& text) {
  if (IsExistingPath(text)) return "file";
  std::string scheme = SplitterScheme(text);
  // Only a scheme that is a plain name may become part of a registry path.
  return IsPlainScheme(scheme) ? scheme : GuessUrlScheme(text);
}

bool OpenUrl(const std::string& text) {
  std::string command = RegisteredOpenCommand(UrlSchemeOf(text));
  if (command.empty()) return false;
  HandlerCommand handler = SplitHandlerCommand(command);
  if (handler.program.empty()) return false;
  std::string parameters = InsertIntoParameters(handler.parameters, text);
  HINSTANCE started =
      ShellExecuteA(nullptr, nullptr, handler.program.c_str(), parameters.c_str(), nullptr, SW_SHOW);
  return reinterpret_cast<INT_PTR>(started) > 32;
}
