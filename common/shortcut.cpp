#include "common/shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "common/ansi_text.h"

using Microsoft::WRL::ComPtr;

std::string ResolveShortcut(const std::string& shortcutPath) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
    return std::string();
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file))) return std::string();
  if (FAILED(file->Load(AnsiToWide(shortcutPath).c_str(), 0))) return std::string();
  if (FAILED(link->Resolve(nullptr, SLR_NO_UI))) return std::string();
  char target[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, 0))) return std::string();
  return target;
}
