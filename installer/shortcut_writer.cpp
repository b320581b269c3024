#include "installer/shortcut_writer.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "common/ansi_text.h"

using Microsoft::WRL::ComPtr;

bool CreateShortcut(const std::string& target, const std::string& shortcutPath) {
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&link)))) return false;
  if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetDescription(""))) return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file))) return false;
  return SUCCEEDED(file->Save(AnsiToWide(shortcutPath).c_str(), TRUE));
}
