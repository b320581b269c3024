#include "ui/popup_menu.h"

#include "ui/column_menu.h"

UINT TrackMenu(HMENU menu, HWND owner, POINT screen) {
  std::unique_ptr<ZColumnMenu> shown = ZColumnMenu::FromMenu(menu);
  shown->setPostsCommand(false);
  const ZMenuItem* chosen = shown->popup(owner, RECT{screen.x, screen.y, screen.x, screen.y}, true);
  return chosen ? chosen->id() : 0;
}

std::string MenuText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += '&';
    out += c;
  }
  return out;
}
