#include "common/dialog_helpers.h"

#include "common/secure_wipe.h"
#include "common/utf8.h"

namespace {

RECT ReferenceRect(HWND reference) {
  RECT area = {};
  if (reference) {
    GetWindowRect(reference, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  return area;
}

}  // namespace

void CenterWindow(HWND window, HWND reference) {
  RECT own = {};
  if (!GetWindowRect(window, &own)) return;
  RECT area = ReferenceRect(reference);
  POINT origin = {(area.left + area.right) / 2 - (own.right - own.left) / 2,
                  (area.top + area.bottom) / 2 - (own.bottom - own.top) / 2};
  // A child window is placed in its parent's client coordinates.
  HWND parent = (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  if (parent) ScreenToClient(parent, &origin);
  SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SelectComboItemByData(HWND comboBox, LRESULT value) {
  LRESULT count = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageA(comboBox, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == value) {
      SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  return false;
}

std::string DialogItemUtf8(HWND dialog, int id, int limit) {
  std::wstring text(static_cast<size_t>(limit > 0 ? limit : 1), L'\0');
  const int length = GetDlgItemTextW(dialog, id, &text[0], static_cast<int>(text.size()));
  std::string utf8 = Utf16ToUtf8(reinterpret_cast<const char16_t*>(text.data()), static_cast<size_t>(length));
  SecureWipe(text);
  return utf8;
}

void SetDialogItemUtf8(HWND dialog, int id, const std::string& utf8) {
  std::u16string text = Utf8ToUtf16(utf8);
  SetDlgItemTextW(dialog, id, reinterpret_cast<const wchar_t*>(text.c_str()));
  SecureWipe(text);
}
